#pragma once
// The encoder chain in process: 0 to 5 simulated MCUs wired in a MIDI loop behind the
// MidiPort interface, running on an injected clock so whole transfers take no real time.
//
// Wire model: each hop (computer -> MCU 1 -> ... -> MCU n -> computer) carries one byte at a
// time, byteTime per byte; a message occupies a hop for its length times byteTime, messages
// queue up behind each other on a busy hop, and an MCU acts on a message (and starts passing
// it on) once it has received it whole. With 0 MCUs the computer's output feeds its input.
//
// Not thread-safe: the owner calls advance() and takeReceived() on one thread.

#include "link/clock.h"
#include "link/midi_port.h"
#include "link/protocol.h"
#include "sim/console_action.h"
#include "sim/simulated_chain_faults.h"
#include "sim/simulated_chain_mcu.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <queue>
#include <span>
#include <string>
#include <vector>

namespace zkt {

inline constexpr int maxSimulatedMcus = 5;

struct SimulationOptions {
    int mcuCount = 3; // 0..5
    // One image of programImageSize bytes per MCU; empty: a plausible organ, one manual per MCU.
    std::vector<Bytes> images;
    // When set, the images (and the MCU count) come from this .zkt file instead.
    std::optional<std::filesystem::path> configurationFile;
    McuIdentity identity;                 // every MCU starts with this one
    Micros byteTime = protocol::byteTime; // per byte per hop
    McuTimings timings;                   // flash write 400 ms, reboot 50 ms
    ResponseMode responseMode = ResponseMode::fourChunks;
    ResponseHeader responseHeader;
    // When set, the computer's MIDI interface loses every message longer than this, in both
    // directions.
    std::optional<std::size_t> interfaceDropsLongerThan;
};

// Counted over the whole chain.
struct SimulationCounters {
    int messagesFromComputer = 0;
    int messagesToComputer = 0; // delivered into the received queue
    int lostAtClosedInput = 0;  // reached the computer while its input was closed (or unplugged)
    int lostUnplugged = 0;      // sent by the computer after the chain was unplugged
    int updatesStored = 0;
    int updatesLostWhileBusy = 0; // arrived while the MCU was writing flash
    int requestsIgnoredWhileRebooting = 0;
    int malformedIgnored = 0;
    int faultsApplied = 0;
};

class SimulatedChain final : public MidiPort {
public:
    // Throws std::invalid_argument for an MCU count outside 0..5, a wrong number of images or
    // an image of the wrong size, and the file reader's error for an unreadable file.
    SimulatedChain(const Clock& clock, SimulationOptions options = {});
    ~SimulatedChain() override;

    // One input and one output, both named portName().
    std::vector<std::string> inputNames() const override;
    std::vector<std::string> outputNames() const override;
    void openInput(int device) override;
    void openOutput(int device) override;
    void closeInput() override;
    void closeOutput() override;
    bool isInputOpen() const override { return m_inputOpen; }
    bool isOutputOpen() const override { return m_outputOpen; }
    // Puts the message on the wire to MCU 1 at clock.now(). Throws MidiError when the output
    // is closed or the bytes are not one F0 .. F7 message.
    void sendSysEx(std::span<const std::uint8_t> message) override;
    // A channel message from the computer goes round the loop too, as the MCUs pass every
    // message on. Throws MidiError when the output is closed or the bytes are not one.
    void sendChannelMessage(std::span<const std::uint8_t> message);
    std::optional<std::vector<std::uint8_t>> takeReceived() override;
    // Called from advance() (on the owner's thread) for every message delivered.
    void setReceiveNotifier(std::function<void()> notify) override;

    // Processes everything due up to clock.now(): arrivals at the MCUs, their answers, and
    // deliveries to the computer's input.
    void advance();
    // When the next thing happens on the wire; nothing pending gives nullopt.
    std::optional<Micros> nextEventTime() const;

    std::string portName() const; // "ZKT simulator (N manuals)"
    // The cable is pulled: the port leaves the lists, and whatever is sent goes nowhere.
    void unplug();
    int mcuCount() const { return static_cast<int>(m_mcus.size()); }

    // Plays the console of a manual: what its MCU sends for the action (console_play.h) leaves
    // that MCU at clock.now() and travels the rest of the loop to the computer. Throws
    // std::out_of_range for a manual the chain lacks.
    void play(const ConsoleAction& action);

    // Throws std::out_of_range when the fault watches the input of an MCU the chain lacks.
    void injectFault(MessageFault fault);
    // manual 1..mcuCount(); throws std::out_of_range otherwise.
    void setIgnoresProgramRequests(int manual, bool ignores);
    std::span<const std::uint8_t> image(int manual) const;
    const McuIdentity& identity(int manual) const;
    void setIdentity(int manual, const McuIdentity& identity);

    SimulationCounters counters() const;

    // One line per message an MCU handles and per message delivered, for zktsim -v.
    void setTrace(std::function<void(const std::string&)> trace);

private:
    struct WireEvent {
        Micros due;
        std::uint64_t sequence; // keeps equal times in sending order
        int destination;        // index of the receiving MCU; mcuCount() = the computer
        Bytes message;
        int copies = 1;             // a duplicate fault delivers it more than once
        bool faultsChecked = false; // a delayed message is not matched a second time
    };
    struct LaterFirst {
        bool operator()(const WireEvent& a, const WireEvent& b) const;
    };
    struct ArmedFault {
        MessageFault fault;
        int seen = 0;
    };

    SimulatedMcu& mcuAt(int manual);
    const SimulatedMcu& mcuAt(int manual) const;
    // Sends message out of `fromHop` (0 = the computer, k = MCU k) starting no earlier than at.
    void transmit(int fromHop, Bytes message, Micros at);
    void sendFromComputer(std::span<const std::uint8_t> message);
    void schedule(Micros due, int destination, Bytes message, int copies, bool faultsChecked);
    // Applies the armed faults watching `input` to an arriving event. False when the event does
    // not arrive now: dropped, or rescheduled by a delay.
    bool applyFaults(WireEvent& event, int input);
    void arriveAtMcu(WireEvent event);
    void arriveAtComputer(WireEvent event);
    void deliver(Bytes message);
    void note(const std::string& line) const;

    const Clock& m_clock;
    Micros m_byteTime;
    std::vector<std::unique_ptr<SimulatedMcu>> m_mcus;
    std::vector<Micros> m_hopFreeAt; // per sending hop: when its wire is next free
    std::priority_queue<WireEvent, std::vector<WireEvent>, LaterFirst> m_events;
    std::uint64_t m_nextSequence = 0;
    std::deque<Bytes> m_received;
    std::vector<ArmedFault> m_faults;
    SimulationCounters m_counters;
    bool m_inputOpen = false;
    bool m_unplugged = false;
    bool m_outputOpen = false;
    std::function<void()> m_notify;
    std::function<void(const std::string&)> m_trace;
};

} // namespace zkt
