#pragma once
// What a transfer is waiting for, in words, for zktcli's time-out message.

#include "link/transfer_state.h"

#include <cstddef>
#include <string>

namespace zkt::cli {

std::string describeWait(const TransferContext& transfer, std::size_t queuedMessages);

} // namespace zkt::cli
