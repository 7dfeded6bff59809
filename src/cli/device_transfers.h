#pragma once
// The work of zktcli's load, write and verify: a transfer on the chosen ports run to its end,
// its progress on err, and the exit status that says how it ended (cli/exit_codes.h).

#include "cli/device_session.h"
#include "link/safe_write.h"
#include "model/config_model.h"

#include <ostream>

namespace zkt::cli {

// Reads every manual into model.
int loadFromChain(DeviceSession& session, ConfigModel& model, std::ostream& err);

// The write with a backup first, only the manuals that change, and a read-back after, as the
// options leave them on.
int writeToChain(DeviceSession& session, const ConfigModel& model, const WriteOptions& options,
                 std::ostream& err);

// Reads every manual back and compares it with what should be there, naming the manuals and
// fields that differ.
int verifyChain(DeviceSession& session, const ConfigModel& expected, std::ostream& err);

// How a transfer that has ended is reported to the shell.
int exitStatusOf(const TransferOutcome& outcome);

} // namespace zkt::cli
