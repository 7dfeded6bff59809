#include "fault_soak.h"

#include "cli/console_status.h"
#include "cli/engine_loop.h"
#include "cli/transfer_loop.h"
#include "model/verification_report.h"
#include "link/received_message.h"
#include "link/transfer_engine.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "sim/simulated_chain.h"

#include <algorithm>
#include <random>
#include <sstream>

namespace zkt::soak {

namespace {

// Far beyond what a faultless five-manual write needs (under a minute of virtual time), so a
// transfer still running then is stuck: zktcli would report it as a time-out.
constexpr Micros transferLimit{180'000'000};
constexpr int maxFaultsPerRun = 3;

class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool oneIn(int n) { return between(1, n) == 1; }
    std::mt19937& engine() { return m_engine; }

private:
    std::mt19937 m_engine;
};

// The example organ with pistons moved between places, Program Change numbers changed and the
// manuals in another order: every record stays one the editors can produce. The image format
// follows the hardware type, as it does when the engine encodes for the MCUs it talks to.
ConfigModel organVariation(Random& random, int manuals) {
    ConfigModel organ = exampleOrgan(maxManuals);
    organ.hardwareType = McuIdentity{}.hardwareType;
    const int pistonCount = manuals * pistonsPerManual;
    for (int swaps = random.between(0, 30); swaps > 0; --swaps) {
        std::swap(organ.pistons[static_cast<std::size_t>(random.between(0, pistonCount - 1))],
                  organ.pistons[static_cast<std::size_t>(random.between(0, pistonCount - 1))]);
    }
    for (pistonInfo& piston : organ.pistons) {
        if (piston.functionGroup == static_cast<std::int16_t>(FunctionGroup::programChange) &&
            random.oneIn(3))
            piston.programNumber = static_cast<std::int16_t>(random.between(1, 128));
    }
    std::vector<int> order(maxManuals);
    for (int i = 0; i < maxManuals; ++i)
        order[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(order.begin(), order.end(), random.engine());

    ConfigModel result;
    result.numberOfManuals = static_cast<std::int16_t>(manuals);
    result.hardwareType = organ.hardwareType;
    for (int manual = 1; manual <= manuals; ++manual)
        decodeProgramImage(result, manual, encodedManual(organ, order[static_cast<std::size_t>(manual - 1)]));
    return result;
}

std::vector<Bytes> imagesOf(const ConfigModel& model) {
    std::vector<Bytes> images;
    for (int manual = 1; manual <= model.numberOfManuals; ++manual) {
        const ImageBuffer image = encodedManual(model, manual);
        images.emplace_back(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(programImageSize));
    }
    return images;
}

MessagePredicate receivedAs(ReceivedKind kind) {
    return [kind](std::span<const std::uint8_t> message) { return classifyReceived(message) == kind; };
}

MessageFault randomFault(Random& random, int mcus) {
    MessageFault fault;
    fault.occurrence = random.between(1, 8);
    fault.repeat = random.oneIn(10);
    const bool toAnMcu = mcus > 0 && random.oneIn(2);
    if (toAnMcu) {
        fault.input = random.between(1, mcus);
        const MessagePredicate kinds[] = {isProgramUpdate,
                                          isMcuReboot,
                                          receivedAs(ReceivedKind::programRequestEcho),
                                          receivedAs(ReceivedKind::identityRequestEcho),
                                          isTagMessage,
                                          nullptr};
        fault.matches = kinds[random.between(0, 5)];
        fault.kind = static_cast<FaultKind>(random.between(0, 4)); // not tagCount: the MCU counts the tag
    } else {
        const MessagePredicate kinds[] = {isTagMessage, isIdentityReply, isProgramResponse, nullptr};
        fault.matches = kinds[random.between(0, 3)];
        fault.kind = static_cast<FaultKind>(random.between(0, 5));
    }
    switch (fault.kind) {
    case FaultKind::wrongLength:
        fault.length = random.oneIn(2) ? 0 : static_cast<std::size_t>(random.between(2, 320));
        break;
    case FaultKind::corruptData:
        fault.position = random.oneIn(2) ? 0 : static_cast<std::size_t>(random.between(2, 300));
        break;
    case FaultKind::delay:
        fault.delay = Micros{random.between(1, 50) * 100'000};
        break;
    case FaultKind::tagCount: {
        // Only counts no chain can have: a plausible wrong count is indistinguishable from a
        // real chain of that length.
        const int invalid[] = {0, 1, 7, 8, 0x40, 0x7F};
        fault.tagCount = static_cast<std::uint8_t>(invalid[random.between(0, 5)]);
        break;
    }
    case FaultKind::drop:
    case FaultKind::duplicate:
        break;
    }
    return fault;
}

enum class Outcome { succeeded, timedOut, abandoned };

// Runs one load or write to its end as zktcli does, in virtual time.
Outcome runTransfer(SimulatedChain& chain, ManualClock& clock, ConfigModel& model, bool write) {
    std::ostringstream discarded;
    cli::ConsoleStatus status(discarded);
    LinkNotices notices;
    notices.userMessage = [](const std::string&) {};
    TransferEngine engine(model, chain, clock, status, notices);
    engine.selection().midiInSelection = 1;
    engine.selection().midiOutSelection = 2;
    cli::SimulatedChainDriver driver(chain, clock);
    if (write)
        engine.startWrite();
    else
        engine.startLoad();
    const cli::LoopWork work = cli::engineLoopWork(engine);
    const cli::LoopEnd end = cli::runLoop(driver, work, transferLimit);
    if (end == cli::LoopEnd::timedOut)
        return Outcome::timedOut;
    if (engine.outcome().result != TransferOutcome::Result::succeeded)
        return Outcome::abandoned;
    // Let the last message reach its MCU before anyone looks.
    driver.waitUntil(driver.now() + TransferEngine::tickInterval, work.drain);
    return Outcome::succeeded;
}

bool holdsTheChainsImages(const ConfigModel& loaded, const SimulatedChain& chain) {
    if (loaded.numberOfManuals != chain.mcuCount())
        return false;
    ConfigModel expected;
    expected.numberOfManuals = loaded.numberOfManuals;
    expected.hardwareType = loaded.hardwareType;
    for (int manual = 1; manual <= chain.mcuCount(); ++manual)
        decodeProgramImage(expected, manual, chain.image(manual));
    return verificationReport(expected, loaded).empty();
}

bool chainHoldsExactly(const SimulatedChain& chain, const std::vector<Bytes>& images) {
    for (int manual = 1; manual <= chain.mcuCount(); ++manual) {
        const auto stored = chain.image(manual);
        if (!std::equal(stored.begin(), stored.end(), images[static_cast<std::size_t>(manual - 1)].begin()))
            return false;
    }
    return true;
}

class SoakRun {
public:
    SoakRun(SoakCounts& counts, const std::function<void(const std::string&)>& finding)
        : m_counts(counts), m_finding(finding) {}

    void run(Random& random, int number) {
        const int manuals = random.between(1, maxManuals);
        const bool write = random.oneIn(2);
        SimulationOptions options;
        options.mcuCount = manuals;
        options.images = imagesOf(organVariation(random, manuals));
        options.responseMode = random.oneIn(2) ? ResponseMode::fourChunks : ResponseMode::singleMessage;
        ManualClock clock;
        SimulatedChain chain(clock, options);
        chain.openInput(0);
        int faults = 0;
        for (int n = random.between(0, maxFaultsPerRun); n > 0; --n)
            chain.injectFault(randomFault(random, manuals));
        if (random.oneIn(12)) {
            chain.setIgnoresProgramRequests(random.between(1, manuals), true);
            ++faults;
        }
        m_description = "run " + std::to_string(number) + " (" + (write ? "write" : "load") + ", " +
                        std::to_string(manuals) + " manuals)";
        if (write) {
            ++m_counts.writes;
            checkWrite(random, chain, clock, manuals);
        } else {
            ++m_counts.loads;
            checkLoad(chain, clock);
        }
        m_counts.faultsInjected += faults + chain.counters().faultsApplied;
    }

private:
    void checkLoad(SimulatedChain& chain, ManualClock& clock) {
        ConfigModel loaded;
        if (runTransfer(chain, clock, loaded, false) != Outcome::succeeded) {
            ++m_counts.reportedFailures;
            return;
        }
        if (holdsTheChainsImages(loaded, chain)) {
            ++m_counts.successes;
            return;
        }
        silent("the load reported success over other images than the chain holds");
    }

    void checkWrite(Random& random, SimulatedChain& chain, ManualClock& clock, int manuals) {
        ConfigModel written = organVariation(random, manuals);
        const std::vector<Bytes> sent = imagesOf(written);
        if (runTransfer(chain, clock, written, true) != Outcome::succeeded) {
            ++m_counts.reportedFailures;
            return;
        }
        // The protocol has no acknowledgement: only reading back shows a lost update.
        ConfigModel readBack;
        if (runTransfer(chain, clock, readBack, false) != Outcome::succeeded) {
            ++m_counts.reportedFailures;
            return;
        }
        // Judged after the read-back, which is what the user is told about: a delayed update may
        // still have been on its way when the write ended.
        const bool stored = chainHoldsExactly(chain, sent);
        if (!verificationReport(written, readBack).empty()) {
            // Told to the user, even when a delayed update reached its MCU after the read-back.
            ++m_counts.reportedFailures;
            ++m_counts.caughtByVerify;
        } else if (stored) {
            ++m_counts.successes;
        } else {
            silent("the MCUs do not hold what was written and the read-back did not notice");
        }
    }

    void silent(const std::string& what) {
        ++m_counts.silentFailures;
        m_finding(m_description + ": " + what);
    }

    SoakCounts& m_counts;
    const std::function<void(const std::string&)>& m_finding;
    std::string m_description;
};

} // namespace

SoakCounts runFaultSoak(std::uint32_t seed, int runs,
                        const std::function<void(const std::string&)>& finding) {
    SoakCounts counts;
    Random random(seed);
    SoakRun soakRun(counts, finding);
    for (int run = 1; run <= runs; ++run) {
        ++counts.runs;
        try {
            soakRun.run(random, run);
        } catch (const std::exception& e) {
            ++counts.exceptions;
            finding("run " + std::to_string(run) + ": exception: " + e.what());
        }
    }
    return counts;
}

} // namespace zkt::soak
