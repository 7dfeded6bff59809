#include "link/link_check.h"

#include "link/chain_count.h"
#include "link/channel_message.h"
#include "link/protocol.h"
#include "link/received_message.h"
#include "model/config_model.h"

#include <algorithm>

namespace zkt {

int LinkReport::loopbacksSent() const {
    int total = 0;
    for (const LengthResult& row : lengths)
        total += row.sent;
    return total;
}

int LinkReport::loopbacksLost() const {
    int total = 0;
    for (const LengthResult& row : lengths)
        total += row.lost();
    return total;
}

int LinkReport::loopbacksCorrupted() const {
    int total = 0;
    for (const LengthResult& row : lengths)
        total += row.corrupted;
    return total;
}

std::optional<int> LinkReport::mcuCount() const {
    if (!returnedTagCount)
        return std::nullopt;
    return chainCountFromTag(static_cast<std::uint8_t>(*returnedTagCount)).boards;
}

LinkCheck::LinkCheck(MidiPort& port, const Clock& clock) : m_port(port), m_clock(clock) {
    // Whatever waited at the input is older than the test.
    while (m_port.takeReceived()) {
    }
    // A tag before the loopback tests and one after them: the count is there even if one is
    // lost, and a lost closing tag tells a loop that broke during the test. The lengths take
    // turns, so that a loop that breaks hits every length alike and is not taken for one that
    // loses long messages.
    m_plan.push_back(Planned{protocol::tagMessage(), std::nullopt, std::nullopt, false});
    for (std::size_t row = 0; row < testLengths.size(); ++row)
        m_report.lengths.push_back(LengthResult{testLengths[row], 0, 0, 0, Micros{0}});
    for (int round = 0; round < messagesPerLength; ++round) {
        for (std::size_t row = 0; row < testLengths.size(); ++row) {
            const auto sequence = static_cast<std::uint16_t>(m_plan.size());
            m_plan.push_back(
                Planned{protocol::loopbackTest(sequence, testLengths[row]), row, std::nullopt, false});
        }
    }
    m_plan.push_back(Planned{protocol::tagMessage(), std::nullopt, std::nullopt, false});
}

void LinkCheck::tick() {
    if (m_finished)
        return;
    const Micros now = m_clock.now();
    if (m_next < m_plan.size()) {
        if (now >= earliestSend(m_plan[m_next].message.size()))
            send();
        return;
    }
    if (allBack() || now - m_lastSentAt >= returnWait)
        m_finished = true;
}

void LinkCheck::send() {
    Planned& planned = m_plan[m_next];
    const Micros now = m_clock.now();
    try {
        m_port.sendSysEx(planned.message);
    } catch (const MidiError& error) {
        m_report.outputError = error.what();
        m_finished = true;
        return;
    }
    ++m_next;
    planned.sentAt = now;
    m_lastSentAt = now;
    m_lastSentLength = planned.message.size();
    if (planned.row)
        ++m_report.lengths[*planned.row].sent;
    else
        ++m_report.tagsSent;
}

Micros LinkCheck::earliestSend(std::size_t length) const {
    if (m_next == 0)
        return Micros::min();
    // The MCUs pass a message on once they have it whole, so on each hop a message waits for the
    // one before it to get through. A longer message never catches up with a shorter one ahead;
    // a shorter one would, on the last hop, unless it leaves that much later. Sent any sooner it
    // would only wait in a buffer, and its round trip would not be the loop's.
    const auto mcus = m_report.mcuCount();
    const auto hops =
        static_cast<Micros::rep>(mcus && *mcus >= 0 && *mcus <= maxManuals ? *mcus + 1 : maxManuals + 1);
    const auto previous = static_cast<Micros::rep>(m_lastSentLength);
    const auto next = static_cast<Micros::rep>(length);
    return m_lastSentAt +
           protocol::byteTime * (previous + (hops - 1) * std::max<Micros::rep>(previous - next, 0));
}

void LinkCheck::drain() {
    while (auto message = m_port.takeReceived()) {
        if (!m_finished)
            receive(*message);
    }
    if (!m_finished && m_next == m_plan.size() && allBack())
        m_finished = true;
}

void LinkCheck::receive(const Bytes& message) {
    // A console played meanwhile is no stray on the loop: the test knows only SysEx.
    if (channelMessageOf(message))
        return;
    switch (classifyReceived(message)) {
    case ReceivedKind::tag:
        if (m_report.tagsReturned >= m_report.tagsSent) {
            ++m_report.strayMessages;
            return;
        }
        ++m_report.tagsReturned;
        if (!m_report.returnedTagCount)
            if (const auto count = protocol::returnedTagCount(message))
                m_report.returnedTagCount = *count;
        return;
    case ReceivedKind::loopbackTest:
        receiveLoopback(message);
        return;
    default:
        ++m_report.strayMessages;
        return;
    }
}

void LinkCheck::receiveLoopback(const Bytes& message) {
    const auto sequence =
        protocol::read7bitNumber(message, protocol::pos::loopbackSequence, protocol::lengthBytes);
    Planned* planned = sequence && *sequence < m_plan.size() ? &m_plan[*sequence] : nullptr;
    if (planned != nullptr && planned->row && planned->sentAt) {
        if (!planned->returned) {
            count(*planned, message);
            return;
        }
        if (planned->message == message) {
            ++m_report.strayMessages; // the same message a second time
            return;
        }
    }
    if (Planned* standIn = likeliestOutstanding(message.size())) {
        count(*standIn, message);
        return;
    }
    ++m_report.strayMessages;
}

LinkCheck::Planned* LinkCheck::likeliestOutstanding(std::size_t length) {
    const auto outstanding = [](const Planned& p) { return p.row && p.sentAt && !p.returned; };
    const auto sameLength = std::find_if(m_plan.begin(), m_plan.end(), [&](const Planned& p) {
        return outstanding(p) && p.message.size() == length;
    });
    if (sameLength != m_plan.end())
        return &*sameLength;
    const auto oldest = std::find_if(m_plan.begin(), m_plan.end(), outstanding);
    return oldest != m_plan.end() ? &*oldest : nullptr;
}

void LinkCheck::count(Planned& planned, const Bytes& message) {
    planned.returned = true;
    LengthResult& row = m_report.lengths[*planned.row];
    if (message != planned.message) {
        ++row.corrupted;
        return;
    }
    ++row.intact;
    row.roundTripTotal += m_clock.now() - *planned.sentAt;
}

bool LinkCheck::allBack() const {
    const bool loopbacksBack =
        std::all_of(m_plan.begin(), m_plan.end(), [](const Planned& p) { return !p.row || p.returned; });
    return loopbacksBack && m_report.tagsReturned == m_report.tagsSent;
}

} // namespace zkt
