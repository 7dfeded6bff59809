#pragma once
// One simulated MCU of the encoder chain: what it does with each whole message it receives.
// It knows nothing of wires or time-keeping beyond the instant a message arrives; the chain
// (simulated_chain.h) carries its output on to the next hop.

#include "link/clock.h"
#include "link/protocol.h"
#include "model/bytes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zkt {

// The fields of an identity reply.
using McuIdentity = protocol::IdentityFields;

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

// How an MCU fills in the header of its program responses; boards differ.
struct ResponseHeader {
    bool deviceAll = false;            // device byte 7F instead of the MCU's manual number
    bool repeatRequestAddress = false; // every chunk carries the request's address, not its own
};

class SimulatedMcu {
public:
    // manual: the MCU's place in the chain, 1..5. image: programImageSize bytes.
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
    void setResponseHeader(ResponseHeader header) { m_responseHeader = header; }
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
    std::array<std::uint8_t, programImageSize> m_image{};
    McuIdentity m_identity;
    McuTimings m_timings;
    McuCounters m_counters;
    ResponseMode m_responseMode = ResponseMode::fourChunks;
    ResponseHeader m_responseHeader;
    bool m_ignoresProgramRequests = false;
    Micros m_flashBusyUntil{-1};
    Micros m_rebootingUntil{-1};
    std::function<void(const std::string&)> m_trace;
};

} // namespace zkt
