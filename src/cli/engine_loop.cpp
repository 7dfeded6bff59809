#include "cli/engine_loop.h"

namespace zkt::cli {

LoopWork engineLoopWork(TransferEngine& engine) {
    LoopWork work;
    work.tick = [&engine] { engine.onTimerTick(); };
    work.drain = [&engine] { engine.drainReceived(); };
    work.sendableAt = [&engine] { return engine.queue().pauseEnd(); };
    work.done = [&engine] { return engine.outcome().ended(); };
    return work;
}

} // namespace zkt::cli
