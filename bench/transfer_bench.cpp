// How close a load and a write come to the time the protocol's own schedule needs (ticks,
// write pauses, wire time), and how long the loop is ever kept from its work, against the
// simulated chain in real time. The floor is the same transfer run in virtual time, where
// nothing but the schedule takes time.

#include "cli/console_status.h"
#include "cli/engine_loop.h"
#include "cli/transfer_loop.h"
#include "link/transfer_engine.h"
#include "model/example_organ.h"
#include "sim/simulated_chain.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>

namespace {

using namespace zkt;

enum class Transfer { load, write };

struct Measurement {
    Micros elapsed{0};
    cli::LoopStats stats;
    bool finished = false;
};

Measurement measure(int manuals, Transfer transfer, bool realTime) {
    ManualClock virtualClock;
    SteadyClock steadyClock;
    const Clock& clock = realTime ? static_cast<const Clock&>(steadyClock) : virtualClock;
    SimulationOptions options;
    options.mcuCount = manuals;
    SimulatedChain chain(clock, options);
    std::unique_ptr<cli::LoopDriver> driver;
    if (realTime)
        driver = std::make_unique<cli::SimulatedChainDriver>(chain, steadyClock);
    else
        driver = std::make_unique<cli::SimulatedChainDriver>(chain, virtualClock);

    ConfigModel model;
    if (transfer == Transfer::write) {
        model = exampleOrgan(manuals);
        model.numberOfManuals = static_cast<std::int16_t>(manuals);
    }
    std::ostringstream discarded;
    cli::ConsoleStatus status(discarded);
    cli::ConsoleHooks hooks;
    TransferEngine engine(model, chain, clock, status, hooks);
    engine.selection().midiInSelection = 1;
    engine.selection().midiOutSelection = 2;

    Measurement result;
    const Micros start = clock.now();
    cli::startTransfer(engine, transfer == Transfer::write);
    cli::LoopWork work = cli::engineLoopWork(engine);
    // An abandoned transfer runs on to the limit, so it shows as not finished.
    work.done = [&] { return engine.settled(); };
    result.finished = cli::runLoop(*driver, work, Micros{120'000'000}, &result.stats) == cli::LoopEnd::done;
    result.elapsed = clock.now() - start;
    return result;
}

double milliseconds(Micros time) {
    return static_cast<double>(time.count()) / 1000.0;
}

} // namespace

int main() {
    std::printf("%-6s %8s %12s %12s %8s %16s %16s\n", "kind", "manuals", "floor ms", "wall ms", "over %",
                "longest step ms", "latest tick ms");
    for (const Transfer transfer : {Transfer::load, Transfer::write}) {
        for (const int manuals : {1, 5}) {
            const Measurement floor = measure(manuals, transfer, false);
            const Measurement wall = measure(manuals, transfer, true);
            if (!floor.finished || !wall.finished) {
                std::printf("%s of %d manuals did not finish\n",
                            transfer == Transfer::load ? "load" : "write", manuals);
                return 1;
            }
            const double over = 100.0 * (milliseconds(wall.elapsed) - milliseconds(floor.elapsed)) /
                                milliseconds(floor.elapsed);
            std::printf("%-6s %8d %12.1f %12.1f %8.2f %16.3f %16.3f\n",
                        transfer == Transfer::load ? "load" : "write", manuals, milliseconds(floor.elapsed),
                        milliseconds(wall.elapsed), over, milliseconds(wall.stats.longestHandler),
                        milliseconds(wall.stats.latestTick));
        }
    }
    return 0;
}
