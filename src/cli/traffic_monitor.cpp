#include "cli/traffic_monitor.h"

#include "i18n/tr.h"

#include <chrono>
#include <stdexcept>

namespace zkt::cli {

void monitorInput(DeviceSession& session, std::optional<double> seconds, std::ostream& out) {
    if (seconds && *seconds <= 0)
        throw std::invalid_argument(tr("--seconds must be more than 0"));
    std::optional<Micros> limit = session.timeout();
    if (seconds)
        limit = std::chrono::duration_cast<Micros>(std::chrono::duration<double>(*seconds));
    if (!limit && session.simulated())
        throw std::invalid_argument(
            tr("a simulated chain sends nothing by itself, so it would be listened to "
               "for ever: give --seconds"));
    session.openChosenInput();
    session.printTraffic(out);
    LoopWork work;
    work.tick = [] {};
    // Taking a message is what shows it.
    work.drain = [&session] {
        while (session.port().takeReceived()) {
        }
    };
    work.done = [] { return false; };
    runLoop(session.driver(), work, limit);
    if (!out)
        throw std::runtime_error(tr("the traffic could not be written to standard output"));
}

} // namespace zkt::cli
