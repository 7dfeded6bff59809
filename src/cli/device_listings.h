#pragma once
// zktcli ports and backups: what there is to talk to, and what was kept before writes.

#include "cli/device_session.h"

#include <ostream>

namespace zkt::cli {

// The MIDI inputs and outputs with the numbers --in and --out take.
void listPorts(DeviceSession& session, std::ostream& out);

// The backups taken before writes, newest first: date and time, manuals, path.
void listBackups(std::ostream& out);

} // namespace zkt::cli
