#pragma once
// What a transfer is waiting for, in words, for zktcli's time-out message.

#include "link/clock.h"
#include "link/transfer_engine.h"

#include <string>

namespace zkt::cli {

// What completes "gave up waiting for ...".
std::string describeWait(const TransferEngine& engine);

// A time-out in seconds as zktcli says it: "120", "0.5".
std::string secondsText(Micros duration);

} // namespace zkt::cli
