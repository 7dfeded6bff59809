#pragma once
// zktcli detect: the cabling check, then each MCU's identity, asked by the transfer engine as a
// load asks them, without reading any program data.

#include "cli/device_session.h"

#include <ostream>

namespace zkt::cli {

// Prints the number of manuals and one line per MCU to out; trouble goes to err. Returns the
// exit status.
int detectChain(DeviceSession& session, std::ostream& out, std::ostream& err);

} // namespace zkt::cli
