#include "link/traffic.h"

#include <cstdio>

namespace zkt {

namespace {
double milliseconds(Micros time) {
    return static_cast<double>(time.count()) / 1000.0;
}
} // namespace

TrafficEntry TrafficTimeline::entryFor(const TrafficRecord& record) {
    TrafficEntry entry;
    entry.sinceStart = record.at - m_start;
    entry.sincePrevious = m_previous ? record.at - *m_previous : Micros{0};
    entry.direction = record.direction;
    entry.length = record.message.size();
    entry.meaning = messageMeaning(record.direction, record.message);
    m_previous = record.at;
    return entry;
}

void TrafficTimeline::restart(Micros start) {
    m_start = start;
    m_previous.reset();
}

std::string trafficLine(const TrafficEntry& entry) {
    char times[64];
    std::snprintf(times, sizeof times, "%10.1f ms %+10.1f ms %5zu bytes  ", milliseconds(entry.sinceStart),
                  milliseconds(entry.sincePrevious), entry.length);
    return times + entry.meaning;
}

} // namespace zkt
