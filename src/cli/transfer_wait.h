#pragma once
// What a transfer is waiting for, in words, for zktcli's time-out message.

#include "link/transfer_engine.h"

#include <string>

namespace zkt::cli {

std::string describeWait(const TransferEngine& engine);

} // namespace zkt::cli
