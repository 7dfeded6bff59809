#pragma once
// A transfer engine wired to the simulated chain, stepped tick by tick in virtual time.

#include "link/observed_port.h"
#include "link/received_message.h"
#include "link/transfer_engine.h"
#include "model/program_image.h"
#include "sim/simulated_chain.h"
#include "support/link_fakes.h"
#include "support/virtual_wire.h"

#include <memory>
#include <string>
#include <vector>

namespace zkt::test {

// Sits between the engine and the chain and notes every message the computer sends, with
// the virtual time it left at.
class TappedPort {
public:
    using Sent = TrafficRecord;

    TappedPort(MidiPort& inner, const Clock& clock) : observed(inner, clock) {
        observed.setObserver([this](const TrafficRecord& record) {
            if (record.direction == TrafficDirection::sent)
                sent.push_back(record);
        });
    }
    TappedPort(const TappedPort&) = delete;
    TappedPort& operator=(const TappedPort&) = delete;

    std::vector<Sent> sent;
    ObservedPort observed;
};

class TransferRig {
public:
    explicit TransferRig(SimulationOptions options = {})
        : chain(clock, std::move(options)), port(chain, clock),
          engine(model, port.observed, clock, status, noticesRecordedIn(userMessages)) {
        engine.selection().midiInSelection = 1;
        engine.selection().midiOutSelection = 2;
    }

    // One 100 ms timer period: the chain delivers what is due, then the timer fires.
    void tick() {
        runWire(clock, chain, clock.now() + TransferEngine::tickInterval, [this] { engine.drainReceived(); });
        engine.onTimerTick();
        ++ticks;
    }

    // Ticks until the condition holds; false when it did not within the limit.
    template <typename Condition> bool tickUntil(Condition condition, int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            if (condition())
                return true;
            tick();
        }
        return condition();
    }

    bool runToEnd(int limit = 2000) {
        return tickUntil([this] { return succeeded(); }, limit);
    }

    bool succeeded() const { return engine.outcome().result == TransferOutcome::Result::succeeded; }

    // Whether the model holds exactly the images the MCUs store, as a faultless load leaves it.
    bool loadedWhatTheChainHolds() const {
        ConfigModel expected;
        for (int manual = 1; manual <= chain.mcuCount(); ++manual)
            decodeProgramImage(expected, manual, chain.image(manual));
        expected.numberOfManuals = model.numberOfManuals;
        expected.hardwareType = model.hardwareType;
        expected.firmwareVersion = model.firmwareVersion;
        expected.names = model.names; // the console's, which no MCU holds
        return model == expected;
    }

    // The messages sent of one kind (named as the dispatcher would name their echo).
    std::vector<TappedPort::Sent> sentOfKind(ReceivedKind kind) const {
        std::vector<TappedPort::Sent> result;
        for (const auto& s : port.sent) {
            if (classifyReceived(s.message) == kind)
                result.push_back(s);
        }
        return result;
    }

    std::vector<std::string> userMessages;
    ManualClock clock;
    SimulatedChain chain;
    TappedPort port;
    ConfigModel model;
    RecordingObserver status;
    TransferEngine engine;
    int ticks = 0;

private:
    static LinkNotices noticesRecordedIn(std::vector<std::string>& messages) {
        LinkNotices notices;
        notices.userMessage = [&messages](const std::string& text) { messages.push_back(text); };
        return notices;
    }
};

inline SimulationOptions chainOf(int mcus) {
    SimulationOptions options;
    options.mcuCount = mcus;
    return options;
}

} // namespace zkt::test
