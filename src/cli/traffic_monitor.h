#pragma once
// zktcli monitor: every message that arrives at the chosen input, one line each, as the
// window's MIDI monitor lists them.

#include "cli/device_session.h"

#include <optional>
#include <ostream>

namespace zkt::cli {

// Listens for `seconds`, else for the session's time-out, else without limit. A simulated chain
// sends nothing of its own accord, so listening to one needs a limit; without one this throws
// std::invalid_argument.
void monitorInput(DeviceSession& session, std::optional<double> seconds, std::ostream& out);

} // namespace zkt::cli
