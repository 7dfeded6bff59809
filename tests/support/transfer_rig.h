#pragma once
// A transfer engine wired to the simulated chain, stepped tick by tick in virtual time.

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
class TappedPort final : public MidiPort {
public:
    struct Sent {
        Micros at;
        Bytes message;
    };

    TappedPort(MidiPort& inner, const Clock& clock) : m_inner(inner), m_clock(clock) {}

    std::vector<Sent> sent;

    std::vector<std::string> inputNames() const override { return m_inner.inputNames(); }
    std::vector<std::string> outputNames() const override { return m_inner.outputNames(); }
    void openInput(int device) override { m_inner.openInput(device); }
    void openOutput(int device) override { m_inner.openOutput(device); }
    void closeInput() override { m_inner.closeInput(); }
    void closeOutput() override { m_inner.closeOutput(); }
    bool isInputOpen() const override { return m_inner.isInputOpen(); }
    bool isOutputOpen() const override { return m_inner.isOutputOpen(); }
    void sendSysEx(std::span<const std::uint8_t> message) override {
        sent.push_back({m_clock.now(), Bytes(message.begin(), message.end())});
        m_inner.sendSysEx(message);
    }
    std::optional<std::vector<std::uint8_t>> takeReceived() override { return m_inner.takeReceived(); }
    void setReceiveNotifier(std::function<void()> notify) override {
        m_inner.setReceiveNotifier(std::move(notify));
    }

private:
    MidiPort& m_inner;
    const Clock& m_clock;
};

class TransferRig {
public:
    explicit TransferRig(SimulationOptions options = {})
        : chain(clock, std::move(options)), port(chain, clock),
          engine(model, port, clock, status, hooks, noticesRecordedIn(userMessages)) {
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
        return tickUntil([this] { return engine.settled(); }, limit);
    }

    // Whether the model holds exactly the images the MCUs store, as a faultless load leaves it.
    bool loadedWhatTheChainHolds() const {
        ConfigModel expected;
        for (int manual = 1; manual <= chain.mcuCount(); ++manual)
            decodeManual(expected, manual, chain.image(manual));
        expected.numberOfManuals = model.numberOfManuals;
        expected.currentManual = model.currentManual;
        expected.hardwareType = model.hardwareType;
        expected.firmwareVersion = model.firmwareVersion;
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
    RecordingStatus status;
    RecordingHooks hooks;
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
