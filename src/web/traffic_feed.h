#pragma once
// The MIDI monitor's messages on their way to the page: every message sent and taken while the
// monitor is open, timed and worded as the desktop's monitor has them, kept until the page
// takes them (it does every tick). Nothing is kept while the monitor is closed or paused.

#include "link/clock.h"
#include "link/observed_port.h"
#include "link/traffic.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <deque>

namespace zkt::web {

class TrafficFeed {
public:
    TrafficFeed(ObservedPort& port, const Clock& clock);
    ~TrafficFeed();
    TrafficFeed(const TrafficFeed&) = delete;
    TrafficFeed& operator=(const TrafficFeed&) = delete;

    void watch(bool on);
    void pause(bool paused);
    // Times count from now on.
    void restart();

    // {entries: [{sinceStartMs, sincePreviousMs, direction: "sent" | "received", length, meaning,
    //  line}], notRecorded: messages passed over while paused}
    nlohmann::json take();

private:
    void record(const TrafficRecord& record);

    ObservedPort& m_port;
    const Clock& m_clock;
    TrafficTimeline m_timeline;
    std::deque<TrafficEntry> m_pending;
    bool m_paused = false;
    std::size_t m_notRecorded = 0;
};

} // namespace zkt::web
