#include "cli/engine_loop.h"

namespace zkt::cli {

void startTransfer(TransferEngine& engine, bool write) {
    if (write)
        engine.startWrite();
    else
        engine.startLoad();
}

LoopWork engineLoopWork(TransferEngine& engine) {
    LoopWork work;
    work.tick = [&engine] { engine.onTimerTick(); };
    work.drain = [&engine] { engine.drainReceived(); };
    work.sendableAt = [&engine] { return engine.queue().pauseEnd(); };
    work.done = [&engine] { return engine.settled() || !engine.transferRunning(); };
    return work;
}

} // namespace zkt::cli
