#include "link/traffic_log.h"

namespace zkt {

void TrafficLog::add(const TrafficRecord& record) {
    if (full())
        dropOldest();
    m_entries.push_back(m_timeline.entryFor(record));
}

void TrafficLog::dropOldest() {
    if (m_entries.empty())
        return;
    m_entries.pop_front();
    ++m_dropped;
}

void TrafficLog::clear(Micros start) {
    m_entries.clear();
    m_dropped = 0;
    m_timeline.restart(start);
}

} // namespace zkt
