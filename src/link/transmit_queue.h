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
#include <span>
#include <string>
#include <string_view>

namespace zkt {

// Where the link reports trouble: the program log, and a message box for the user.
struct LinkNotices {
    std::function<void(const std::string&)> log;
    std::function<void(const std::string&)> userMessage;
};

class TransmitQueue {
public:
    // An MCU writing its flash loses the next update if it arrives too soon; during a write no
    // two messages leave closer together than this.
    static constexpr Micros writePause{600'000};

    enum class PumpResult {
        empty,       // nothing waiting
        openedPorts, // an open request was handled
        sent,        // a message left
        pausing,     // a message waits for the pause after the previous write message
    };

    TransmitQueue(MidiPort& port, const Clock& clock, MidiSelection& selection, LinkNotices& notices);

    void queueMessage(std::span<const std::uint8_t> message);
    void ensurePortsOpen();

    // Hands at most one item to the port. paced: the message belongs to a write, so it is
    // followed by writePause before anything else may leave.
    PumpResult pumpQueue(bool paced);

    void openInput();
    void openOutput();
    void closeInput();

    std::size_t queueLength() const { return m_items.size(); }
    // True once the pause after the last paced message has run out.
    bool pauseOver() const;
    // When that pause runs out, so a loop can time its tick to it instead of missing it by
    // a hair and losing a whole tick.
    Micros pauseEnd() const { return m_pauseUntil; }

    // The output's error event: logged always, shown unless the code says it is harmless.
    void reportOutputError(int code, const std::string& text);

private:
    struct Item {
        bool openPorts = false;
        Bytes message;
    };

    void send(const Bytes& message);

    MidiPort& m_port;
    const Clock& m_clock;
    MidiSelection& m_selection;
    LinkNotices& m_notices;
    std::deque<Item> m_items;
    Micros m_pauseUntil{Micros::min()};
};

} // namespace zkt
