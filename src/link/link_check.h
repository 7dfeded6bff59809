#pragma once
// The connection test: the tag (which every MCU counts) and rounds of loopback test messages
// of growing length go round the MIDI loop, one per tick as the transmit queue sends and never
// faster than the loop carries them, and what comes back is compared with what was sent. The
// MCUs pass loopback tests on unanswered, so whatever does not come back whole was lost or
// damaged on the way, and the length from which that happens tells an interface that drops
// long SysEx from a bad cable.
//
// The check reads the port itself: whoever drives it hands it the ticks and the received
// messages instead of the transfer engine, and the ports must be open.

#include "link/clock.h"
#include "link/link_report.h"
#include "link/midi_port.h"
#include "model/bytes.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace zkt {

class LinkCheck {
public:
    // The program's own messages are 86 bytes (responses), 89 (updates) and 305 (a whole image).
    static constexpr std::array<std::size_t, 10> testLengths{16, 64, 86, 89, 128, 192, 256, 305, 384, 512};
    static constexpr int messagesPerLength = 4;
    // After the last message has left, how long stragglers are waited for: the longest test
    // needs about a second through five MCUs.
    static constexpr Micros returnWait{3'000'000};

    LinkCheck(MidiPort& port, const Clock& clock);

    // Sends the next message when the wire is free for it; ends the check once everything is
    // back or the wait is over.
    void tick();
    // Takes every message the port holds.
    void drain();

    bool finished() const { return m_finished; }
    int messagesSent() const { return static_cast<int>(m_next); }
    int messagesPlanned() const { return static_cast<int>(m_plan.size()); }
    const LinkReport& report() const { return m_report; }

private:
    struct Planned {
        Bytes message;
        std::optional<std::size_t> row; // into the report's lengths; empty for a tag
        std::optional<Micros> sentAt;
        bool returned = false;
    };

    // When a message of this length may follow the last one without queueing behind it.
    Micros earliestSend(std::size_t length) const;
    void send();
    void receive(const Bytes& message);
    void receiveLoopback(const Bytes& message);
    // The outstanding loopback a message whose sequence number cannot be trusted stands for.
    Planned* likeliestOutstanding(std::size_t length);
    void count(Planned& planned, const Bytes& message);
    bool allBack() const;

    MidiPort& m_port;
    const Clock& m_clock;
    std::vector<Planned> m_plan;
    std::size_t m_next = 0;
    Micros m_lastSentAt{0};
    std::size_t m_lastSentLength = 0;
    bool m_finished = false;
    LinkReport m_report;
};

} // namespace zkt
