// How close a load and a write come to the time the protocol's own schedule needs (ticks,
// write pauses, wire time), and how long the loop is ever kept from its work, against the
// simulated chain in real time. The floor is the same transfer run in virtual time, where
// nothing but the schedule takes time. Then what a safe write (backup, changed manuals only,
// read-back) costs against the plain write of every manual when one piston has changed.

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

constexpr int organManuals = 5;

// The organ the simulated chain holds, with one piston of manual 3 given another program.
ConfigModel organWithOnePistonChanged() {
    ConfigModel organ = exampleOrgan(organManuals);
    organ.numberOfManuals = organManuals;
    organ.pistons[static_cast<std::size_t>(pistonIndexOf(2, 10))].programNumber = 99;
    return organ;
}

// Real time, from the start until the last message has left and, for the safe write, the
// read-back has been compared; a safe write that is not verified shows as not finished.
Measurement measureOnePistonWrite(bool safe) {
    ConfigModel organ = organWithOnePistonChanged();
    BenchChain bench(organManuals, true, organ);
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

    const Measurement plain = measureOnePistonWrite(false);
    const Measurement safe = measureOnePistonWrite(true);
    if (!plain.finished || !safe.finished) {
        std::printf("the write of one changed piston did not finish (or was not verified)\n");
        return 1;
    }
    std::printf("\none piston changed on a %d-manual organ, real time\n", organManuals);
    std::printf("%-52s %12.1f\n", "plain write of every manual (no backup, no verify) ms",
                milliseconds(plain.elapsed));
    std::printf("%-52s %12.1f\n", "safe write (backup, changed only, verify) ms", milliseconds(safe.elapsed));
    std::printf("%-52s %12.2f\n", "safe / plain", milliseconds(safe.elapsed) / milliseconds(plain.elapsed));
    return 0;
}
