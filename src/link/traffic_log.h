#pragma once
// What the MIDI monitor lists: the latest messages, at most `capacity` of them, so that a
// monitor left open for hours neither grows without bound nor slows the transfers down.

#include "link/traffic.h"

#include <cstddef>
#include <deque>

namespace zkt {

class TrafficLog {
public:
    static constexpr std::size_t capacity = 10'000;

    explicit TrafficLog(Micros start) : m_timeline(start) {}

    bool full() const { return m_entries.size() >= capacity; }
    // Adds the message as the newest entry; when the log is full the oldest goes first.
    void add(const TrafficRecord& record);
    // Lets the oldest entry go (a view removes its row first, then adds the new one).
    void dropOldest();
    // Empties the log; times count from `start` on.
    void clear(Micros start);

    std::size_t size() const { return m_entries.size(); }
    const TrafficEntry& entry(std::size_t index) const { return m_entries.at(index); }
    // How many messages fell out of the full log since the last clear.
    std::size_t dropped() const { return m_dropped; }

private:
    TrafficTimeline m_timeline;
    std::deque<TrafficEntry> m_entries;
    std::size_t m_dropped = 0;
};

} // namespace zkt
