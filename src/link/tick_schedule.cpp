#include "link/tick_schedule.h"

#include "link/transfer_engine.h"

namespace zkt {

std::optional<Micros> TickSchedule::holdFor(Micros now, Micros sendableAt) {
    if (sendableAt <= now || sendableAt - now > holdLimit)
        return std::nullopt;
    m_due = sendableAt;
    return sendableAt - now;
}

Micros TickSchedule::untilNext(Micros now) {
    Micros due = m_due.value_or(now) + TransferEngine::tickInterval;
    if (due < now)
        due = now;
    m_due = due;
    return due - now;
}

} // namespace zkt
