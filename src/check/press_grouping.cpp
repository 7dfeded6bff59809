#include "check/press_grouping.h"

#include <algorithm>

namespace zkt {

namespace {

enum class Family { single, bankSelect, allNotesOff };

Family familyOf(const ChannelMessage& m) {
    if (m.kind == ChannelKind::programChange || isController(m, controller::bankSelectMsb) ||
        isController(m, controller::bankSelectLsb))
        return Family::bankSelect;
    if (isController(m, controller::allNotesOff))
        return Family::allNotesOff;
    return Family::single;
}

// Whether message can be one more of the press: a Bank Select's parts once each on its
// channel, All Notes Off once on each channel.
bool accepts(const Press& press, const ChannelMessage& message) {
    const Family family = familyOf(message);
    if (familyOf(press.front()) != family || press.back().kind == ChannelKind::programChange)
        return false;
    if (family == Family::bankSelect) {
        return press.front().channel == message.channel &&
               std::none_of(press.begin(), press.end(), [&](const ChannelMessage& m) {
                   return m.kind == message.kind && m.data1 == message.data1 &&
                          message.kind == ChannelKind::controlChange;
               });
    }
    return std::none_of(press.begin(), press.end(),
                        [&](const ChannelMessage& m) { return m.channel == message.channel; });
}

} // namespace

bool PressGrouping::complete(const Press& press) const {
    if (press.back().kind == ChannelKind::programChange ||
        press.size() == static_cast<std::size_t>(channelsPerManual))
        return true;
    return !m_plan.pressMayGrow(press) && !m_plan.pistonsSending(press).empty();
}

std::vector<Press> PressGrouping::take(const ChannelMessage& message, Micros now) {
    std::vector<Press> done = due(now);
    if (familyOf(message) == Family::single) {
        done.push_back({message});
        return done;
    }
    auto pending = std::find_if(m_pending.begin(), m_pending.end(),
                                [&](const Pending& p) { return accepts(p.messages, message); });
    if (pending != m_pending.end()) {
        pending->messages.push_back(message);
    } else {
        m_pending.push_back({now, {message}});
        pending = std::prev(m_pending.end());
    }
    if (complete(pending->messages)) {
        done.push_back(std::move(pending->messages));
        m_pending.erase(pending);
    }
    return done;
}

std::vector<Press> PressGrouping::due(Micros now) {
    std::vector<Press> done;
    while (!m_pending.empty() && m_pending.front().first + m_together <= now) {
        done.push_back(std::move(m_pending.front().messages));
        m_pending.erase(m_pending.begin());
    }
    return done;
}

std::vector<Press> PressGrouping::flush() {
    std::vector<Press> done;
    for (Pending& pending : m_pending)
        done.push_back(std::move(pending.messages));
    m_pending.clear();
    return done;
}

} // namespace zkt
