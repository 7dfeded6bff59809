#pragma once
// zktcli detect: the cabling check, then each MCU's identity.

#include "cli/device_session.h"

#include <ostream>

namespace zkt::cli {

enum class DetectResult { found, invalidCount, timedOut, linkFailed };

// Prints the number of manuals and one line per MCU to out; trouble goes to err.
DetectResult detectChain(DeviceSession& session, std::ostream& out, std::ostream& err);

} // namespace zkt::cli
