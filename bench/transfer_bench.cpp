// How close a load and a write come to the time the protocol's own schedule needs (ticks,
// write pauses, wire time), and how long the loop is ever kept from its work, against the
// simulated chain in real time. The floor is the same transfer run in virtual time, where
// nothing but the schedule takes time. Then the safe write (backup, changed chunks only,
// read-back of what was written) against the plain write of every manual when one piston has
// changed, on 3 and on 5 manuals.

#include "cli/console_status.h"
#include "cli/engine_loop.h"
#include "cli/transfer_loop.h"
#include "link/safe_write.h"
#include "link/transfer_engine.h"
#include "model/backup_store.h"
#include "model/example_organ.h"
#include "sim/simulated_chain.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

using namespace zkt;

enum class Transfer { load, write };

struct Measurement {
    Micros elapsed{0};
    cli::LoopStats stats;
    bool finished = false;
};

SimulationOptions chainOf(int manuals) {
    SimulationOptions options;
    options.mcuCount = manuals;
    return options;
}

// The example organ in a simulated chain, an engine over it, and the loop that drives both on
// the virtual or the real clock.
struct BenchChain {
    BenchChain(int manuals, bool realTime, ConfigModel& model)
        : clock(realTime ? static_cast<const Clock&>(steadyClock) : virtualClock),
          chain(clock, chainOf(manuals)), status(discarded), engine(model, chain, clock, status) {
        if (realTime)
            driver = std::make_unique<cli::SimulatedChainDriver>(chain, steadyClock);
        else
            driver = std::make_unique<cli::SimulatedChainDriver>(chain, virtualClock);
        engine.selection().midiInSelection = 1;
        engine.selection().midiOutSelection = 2;
    }

    // The engine's loop, done once the transfer has succeeded: an abandoned transfer runs on to
    // the limit, so it shows as not finished.
    cli::LoopWork engineWork() {
        cli::LoopWork work = cli::engineLoopWork(engine);
        work.done = [this] { return engine.outcome().result == TransferOutcome::Result::succeeded; };
        return work;
    }

    template <typename Begin> Measurement measure(Begin begin, const cli::LoopWork& work) {
        Measurement result;
        const Micros start = clock.now();
        begin();
        result.finished =
            cli::runLoop(*driver, work, Micros{120'000'000}, &result.stats) == cli::LoopEnd::done;
        result.elapsed = clock.now() - start;
        return result;
    }

    ManualClock virtualClock;
    SteadyClock steadyClock;
    const Clock& clock;
    SimulatedChain chain;
    std::unique_ptr<cli::LoopDriver> driver;
    std::ostringstream discarded;
    cli::ConsoleStatus status;
    TransferEngine engine;
};

Measurement measure(int manuals, Transfer transfer, bool realTime) {
    ConfigModel model;
    if (transfer == Transfer::write) {
        model = exampleOrgan(manuals);
        model.numberOfManuals = static_cast<std::int16_t>(manuals);
    }
    BenchChain bench(manuals, realTime, model);
    return bench.measure(
        [&] {
            if (transfer == Transfer::write)
                bench.engine.startWrite();
            else
                bench.engine.startLoad();
        },
        bench.engineWork());
}

// The organ the simulated chain holds, with one piston of its middle manual given another program.
ConfigModel organWithOnePistonChanged(int manuals) {
    ConfigModel organ = exampleOrgan(manuals);
    organ.numberOfManuals = static_cast<std::int16_t>(manuals);
    organ.pistons[static_cast<std::size_t>(pistonIndexOf((manuals - 1) / 2, 10))].programNumber = 99;
    return organ;
}

// From the start until the last message has left and, for the safe write, the read-back has
// been compared; a safe write that is not verified shows as not finished.
Measurement measureOnePistonWrite(int manuals, bool safe, bool realTime) {
    ConfigModel organ = organWithOnePistonChanged(manuals);
    BenchChain bench(manuals, realTime, organ);
    if (!safe)
        return bench.measure([&] { bench.engine.startWrite(); }, bench.engineWork());

    // Backups of their own, so that the benchmark leaves the user's alone.
    const std::filesystem::path backups =
        std::filesystem::temp_directory_path() / ("zkt-bench-backups-" + std::to_string(::getpid()));
    SafeWrite write(bench.engine, organ, bench.status, [&](const std::vector<Bytes>& images) {
        return saveBackup(backups, images, std::chrono::system_clock::now());
    });
    cli::LoopWork work = bench.engineWork();
    work.tick = [&write, tick = work.tick] {
        tick();
        write.onTick();
    };
    work.done = [&write] { return write.phase() == SafeWrite::Phase::finished; };
    Measurement result = bench.measure([&] { write.start({}); }, work);
    result.finished = result.finished && write.outcome() == SafeWrite::Outcome::verified;
    std::filesystem::remove_all(backups);
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

    std::printf("\none piston changed: the plain write of every manual (no backup, no read-back) against\n"
                "the safe write (backup, changed chunks only, read-back of what was written)\n");
    std::printf("%8s %16s %16s %16s %16s %10s\n", "manuals", "plain floor ms", "plain wall ms", "safe floor ms",
                "safe wall ms", "faster");
    for (const int manuals : {3, 5}) {
        const Measurement plainFloor = measureOnePistonWrite(manuals, false, false);
        const Measurement plain = measureOnePistonWrite(manuals, false, true);
        const Measurement safeFloor = measureOnePistonWrite(manuals, true, false);
        const Measurement safe = measureOnePistonWrite(manuals, true, true);
        if (!plainFloor.finished || !plain.finished || !safeFloor.finished || !safe.finished) {
            std::printf("the write of one changed piston on %d manuals did not finish (or was not verified)\n",
                        manuals);
            return 1;
        }
        std::printf("%8d %16.1f %16.1f %16.1f %16.1f %9.2fx\n", manuals, milliseconds(plainFloor.elapsed),
                    milliseconds(plain.elapsed), milliseconds(safeFloor.elapsed), milliseconds(safe.elapsed),
                    milliseconds(plain.elapsed) / milliseconds(safe.elapsed));
    }
    return 0;
}
