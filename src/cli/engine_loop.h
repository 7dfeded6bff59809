#pragma once
// A transfer run by the transfer loop, as the window's timer and receive events run it.

#include "cli/transfer_loop.h"
#include "link/transfer_engine.h"

namespace zkt::cli {

// The loop ends once the transfer's outcome is final.
LoopWork engineLoopWork(TransferEngine& engine);

} // namespace zkt::cli
