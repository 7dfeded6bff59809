#include "link/observed_port.h"

namespace zkt {

void ObservedPort::sendSysEx(std::span<const std::uint8_t> message) {
    const Micros at = m_clock.now();
    m_inner.sendSysEx(message);
    report(at, TrafficDirection::sent, message);
}

std::optional<std::vector<std::uint8_t>> ObservedPort::takeReceived() {
    auto message = m_inner.takeReceived();
    if (message)
        report(m_clock.now(), TrafficDirection::received, *message);
    return message;
}

void ObservedPort::report(Micros at, TrafficDirection direction,
                          std::span<const std::uint8_t> message) const {
    if (m_observer)
        m_observer(TrafficRecord{at, direction, Bytes(message.begin(), message.end())});
}

} // namespace zkt
