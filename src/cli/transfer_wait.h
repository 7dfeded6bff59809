#pragma once
// What a transfer is waiting for, in words, for zktcli's time-out message.

#include "link/transfer_state.h"
#include "model/config_model.h"

#include <cstddef>
#include <string>

namespace zkt::cli {

std::string describeWait(const TransferState& transfer, const ConfigModel& model, std::size_t queuedMessages);

} // namespace zkt::cli
