#pragma once
// The transmit queue: every message for the MCU chain waits here and leaves one per timer
// tick, so the MCUs (31250 baud, slow flash) are never flooded. The ports open lazily: the
// first message queued while they are closed is preceded by an open request.

#include "link/clock.h"
#include "link/midi_port.h"
#include "link/midi_selection.h"
#include "model/bytes.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace zkt {

// Where the link reports trouble: the program log, and a message box for the user.
struct LinkNotices {
    std::function<void(const std::string&)> log;
    std::function<void(const std::string&)> userMessage;
};

// How a message leaves. A paced message belongs to a write: an MCU writing its flash loses the
// next update if it arrives too soon, so nothing leaves within writePause after it, whatever
// has been queued since. Messages of one unit (a manual's program updates and its reboot)
// either all leave or, if none has left yet, can be withdrawn together.
struct SendOptions {
    bool paced = false;
    int unit = 0; // 0: not part of a unit
};

class TransmitQueue {
public:
    static constexpr Micros writePause{600'000};

    enum class PumpResult {
        empty,       // nothing waiting
        openedPorts, // an open request was handled
        openFailed,  // an open request failed; see lastOpenReport()
        sent,        // a message left
        sendFailed,  // the port refused a message; see lastSendFailure()
        pausing,     // a message waits for the pause after the previous write message
    };

    // What the last open request did: a device that stood in for a missing one, or why a
    // port could not be opened.
    struct OpenReport {
        std::string substituted;
        std::string failure;
    };

    TransmitQueue(MidiPort& port, const Clock& clock, MidiSelection& selection, LinkNotices& notices);

    void queueMessage(std::span<const std::uint8_t> message, SendOptions options = {});
    void ensurePortsOpen();

    // Hands at most one item to the port.
    PumpResult pumpQueue();

    void openInput();
    void openOutput();
    void closeInput();

    std::size_t queueLength() const { return m_items.size(); }
    // True once the pause after the last paced message has run out.
    bool pauseOver() const;
    // When that pause runs out, so a loop can time its tick to it instead of missing it by
    // a hair and losing a whole tick.
    Micros pauseEnd() const { return m_pauseUntil; }
    bool pacedMessagesQueued() const;

    const OpenReport& lastOpenReport() const { return m_openReport; }
    const std::string& lastSendFailure() const { return m_sendFailure; }
    // The unit and whether it was its last message, of the message that left last.
    int lastSentUnit() const { return m_lastSentUnit; }
    // The unit part of which has left and part still waits; 0 when none.
    int startedUnit() const { return m_startedUnit; }
    // The unit whose messages leave next: the one begun, else the first one waiting; 0 when none.
    int unitLeavingNext() const;
    bool lastSentEndedUnit() const { return m_lastSentEndedUnit; }

    // Withdraws every item but the rest of a unit that has begun to leave; returns that unit
    // (0 when none had begun).
    int withdrawAllButStartedUnit();
    void clear();

    // The opened device that is no longer in the port's lists ("MIDI output "X""), if any.
    std::optional<std::string> missingDevice() const;

private:
    struct Item {
        bool openPorts = false;
        Bytes message;
        SendOptions options;
        bool endsUnit = false;
    };

    void logOutputError() const;
    bool openPorts();

    MidiPort& m_port;
    const Clock& m_clock;
    MidiSelection& m_selection;
    LinkNotices& m_notices;
    std::deque<Item> m_items;
    Micros m_pauseUntil{Micros::min()};
    OpenReport m_openReport;
    std::string m_sendFailure;
    std::string m_openInput; // labels of the devices opened
    std::string m_openOutput;
    int m_startedUnit = 0;
    int m_lastSentUnit = 0;
    bool m_lastSentEndedUnit = false;
};

} // namespace zkt
