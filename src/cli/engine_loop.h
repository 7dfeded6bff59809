#pragma once
// A load or write run by the transfer loop, as the window's timer and receive events run it.

#include "cli/transfer_loop.h"
#include "link/transfer_engine.h"

namespace zkt::cli {

void startTransfer(TransferEngine& engine, bool write);

// The loop ends once the transfer has settled or been abandoned.
LoopWork engineLoopWork(TransferEngine& engine);

} // namespace zkt::cli
