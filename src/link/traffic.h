#pragma once
// Messages as the MIDI monitor and zktcli's traffic lines see them: each with the time it was
// sent or taken from the input, and then with its time since the monitor started and since
// the message before it, and its meaning.

#include "link/clock.h"
#include "link/message_meaning.h"
#include "model/bytes.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace zkt {

struct TrafficRecord {
    Micros at{0};
    TrafficDirection direction = TrafficDirection::sent;
    Bytes message;
};

// Called on the thread that sends and drains the port.
using TrafficObserver = std::function<void(const TrafficRecord&)>;

struct TrafficEntry {
    Micros sinceStart{0};
    Micros sincePrevious{0};
    TrafficDirection direction = TrafficDirection::sent;
    std::size_t length = 0;
    std::string meaning;
};

class TrafficTimeline {
public:
    explicit TrafficTimeline(Micros start) : m_start(start) {}

    TrafficEntry entryFor(const TrafficRecord& record);
    // Times count from here on, as if nothing had come before.
    void restart(Micros start);

private:
    Micros m_start;
    std::optional<Micros> m_previous;
};

// "    1234.5 ms    +100.2 ms    86 bytes  ← Program response, manual 2, bytes 128–191"
std::string trafficLine(const TrafficEntry& entry);

} // namespace zkt
