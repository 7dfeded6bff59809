#pragma once
// One simulated MCU of the encoder chain: what it does with each whole message it receives.
// It knows nothing of wires or time-keeping beyond the instant a message arrives; the chain
// (simulated_chain.h) carries its output on to the next hop.

#include "link/clock.h"
#include "model/bytes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zkt {

inline constexpr std::size_t mcuImageSize = 256;

// The fields of an identity reply. The defaults describe a plausible board: firmware 2.1 of
// 4/17/2006, one program slot, DIP switch on program 1.
struct McuIdentity {
    std::uint8_t familyLo = 0x00;
    std::uint8_t familyHi = 0x01;
    std::uint8_t firmwareMajor = 2;
    std::uint8_t firmwareMinor = 1;
    std::uint8_t year = 6; // two digits
    std::uint8_t dateFirst = 4;
    std::uint8_t dateSecond = 17;
    int dipProgramMinusOne = 0; // sent as a 7-bit pair
    int programSlots = 1;       // sent as a 7-bit pair
    std::uint8_t hardwareType = 18;
    std::uint8_t trailingByte = 0;
};

// Things an MCU counts that a test may want to see.
struct McuCounters {
    int updatesStored = 0;
    int updatesLostWhileBusy = 0;
    int requestsIgnoredWhileRebooting = 0;
    int malformedIgnored = 0; // addressed to this MCU but too short or badly packed
};

struct McuTimings {
    Micros flashWriteTime{400'000};
    Micros rebootSilentTime{50'000};
};

enum class ResponseMode {
    fourChunks,    // 64 data bytes per response, 86-byte messages
    singleMessage, // all requested bytes in one response (305 bytes for 256)
};

class SimulatedMcu {
public:
    // manual: the MCU's place in the chain, 1..5. image: mcuImageSize bytes.
    SimulatedMcu(int manual, std::span<const std::uint8_t> image, McuIdentity identity, McuTimings timings);

    // Handles one whole message that arrived at time `now`; returns what the MCU sends on, in
    // order: first the message itself (a tag with its count incremented), then any answers.
    std::vector<Bytes> receive(std::span<const std::uint8_t> message, Micros now);

    int manual() const { return m_manual; }
    std::span<const std::uint8_t> image() const { return m_image; }
    const McuIdentity& identity() const { return m_identity; }
    void setIdentity(const McuIdentity& identity) { m_identity = identity; }
    const McuCounters& counters() const { return m_counters; }

    void setResponseMode(ResponseMode mode) { m_responseMode = mode; }
    // A faulty board that passes program requests on but never answers them.
    void setIgnoresProgramRequests(bool ignores) { m_ignoresProgramRequests = ignores; }

    // One line per message handled, for zktsim -v.
    void setTrace(std::function<void(const std::string&)> trace) { m_trace = std::move(trace); }

private:
    void answer(std::span<const std::uint8_t> message, Micros now, std::vector<Bytes>& out);
    void answerIdentityRequest(std::vector<Bytes>& out);
    void answerProgramRequest(std::span<const std::uint8_t> message, std::vector<Bytes>& out);
    void storeProgramUpdate(std::span<const std::uint8_t> message, Micros now);
    void note(const std::string& line) const;

    int m_manual;
    std::array<std::uint8_t, mcuImageSize> m_image{};
    McuIdentity m_identity;
    McuTimings m_timings;
    McuCounters m_counters;
    ResponseMode m_responseMode = ResponseMode::fourChunks;
    bool m_ignoresProgramRequests = false;
    Micros m_flashBusyUntil{-1};
    Micros m_rebootingUntil{-1};
    std::function<void(const std::string&)> m_trace;
};

} // namespace zkt
