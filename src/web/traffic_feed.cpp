#include "web/traffic_feed.h"

#include "link/traffic_log.h"

namespace zkt::web {

namespace {
double milliseconds(Micros time) {
    return static_cast<double>(time.count()) / 1000.0;
}
} // namespace

TrafficFeed::TrafficFeed(ObservedPort& port, const Clock& clock)
    : m_port(port), m_clock(clock), m_timeline(clock.now()) {}

TrafficFeed::~TrafficFeed() {
    m_port.setObserver({});
}

void TrafficFeed::watch(bool on) {
    if (!on) {
        m_port.setObserver({});
        m_pending.clear();
        return;
    }
    m_port.setObserver([this](const TrafficRecord& record) { this->record(record); });
}

void TrafficFeed::pause(bool paused) {
    m_paused = paused;
    if (!paused)
        m_notRecorded = 0;
}

void TrafficFeed::restart() {
    m_timeline.restart(m_clock.now());
    m_pending.clear();
}

void TrafficFeed::record(const TrafficRecord& record) {
    if (m_paused) {
        ++m_notRecorded;
        return;
    }
    m_pending.push_back(m_timeline.entryFor(record));
    // A page that stops taking them (a tab long in the background) must not make them pile up:
    // the monitor shows no more than this anyway.
    if (m_pending.size() > TrafficLog::capacity)
        m_pending.pop_front();
}

nlohmann::json TrafficFeed::take() {
    nlohmann::json entries = nlohmann::json::array();
    for (const TrafficEntry& entry : m_pending) {
        entries.push_back({{"sinceStartMs", milliseconds(entry.sinceStart)},
                           {"sincePreviousMs", milliseconds(entry.sincePrevious)},
                           {"direction", entry.direction == TrafficDirection::sent ? "sent" : "received"},
                           {"length", entry.length},
                           {"meaning", entry.meaning},
                           {"line", trafficLine(entry)}});
    }
    m_pending.clear();
    return {
        {"entries", std::move(entries)}, {"notRecorded", m_notRecorded}, {"capacity", TrafficLog::capacity}};
}

} // namespace zkt::web
