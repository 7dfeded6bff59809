#pragma once
// Loads all manuals from the MCU chain and writes them back, driven by a 100 ms tick and by
// the messages the chain sends back. One object owns all transfer state; the model, the
// port, the clock and the window come in by reference, so tests run whole transfers in
// virtual time.

#include "link/clock.h"
#include "link/device_requests.h"
#include "link/message_dispatcher.h"
#include "link/midi_port.h"
#include "link/midi_selection.h"
#include "link/transfer_state.h"
#include "link/transfer_ui.h"
#include "link/transmit_queue.h"
#include "model/config_model.h"

#include <cstdint>
#include <span>
#include <string>

namespace zkt {

class TransferEngine {
public:
    static constexpr Micros tickInterval{100'000};
    // Unanswered tags and identity requests go out again after this many visible ticks...
    static constexpr int retryEveryTicks = 20;
    // ...and after more retries than this the user is told to check the cabling.
    static constexpr int retriesBeforeWarning = 50;

    TransferEngine(ConfigModel& model, MidiPort& port, const Clock& clock, StatusSink& status,
                   MainWindowHooks& hooks, LinkNotices notices = {});
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // "Load Current Settings from the ZKT".
    void startLoad();
    // "Write Program Data to ZKT". Every manual is encoded once first; when one cannot be,
    // nothing is sent and the status window says why.
    void startWrite();
    // A configuration file has been loaded or saved: end like a device load does.
    void finishFileTransfer();

    // The window's 100 ms timer.
    void onTimerTick();
    // One whole received SysEx message, F0 .. F7.
    void dispatchMessage(std::span<const std::uint8_t> message);
    // Hands every message the port has collected to dispatchMessage.
    void drainReceived();
    // The status window's Close button.
    void closeStatusWindow();

    const TransferState& transfer() const { return m_transfer; }
    MidiSelection& selection() { return m_selection; }
    const MidiSelection& selection() const { return m_selection; }
    TransmitQueue& queue() { return m_queue; }
    DeviceRequests& requests() { return m_requests; }
    // True once a transfer has ended and its last queued message has left (the status
    // window may still be counting down to its close).
    bool settled() const;
    // Why the last write stopped before its end; empty while nothing went wrong.
    const std::string& failure() const { return m_failure; }

private:
    bool transferStep();
    void runEntryAction();
    void runRetries();
    void enterFinished();
    void runClosing();
    void runNextManualToWrite();
    void settleBeforeProgramRequest();
    void pump();
    bool encodesEveryManual();
    void abandonWrite(const std::string& explanation);

    ConfigModel& m_model;
    MidiPort& m_port;
    StatusSink& m_status;
    MainWindowHooks& m_hooks;
    LinkNotices m_notices;
    MidiSelection m_selection;
    TransferState m_transfer;
    TransmitQueue m_queue;
    DeviceRequests m_requests;
    MessageDispatcher m_dispatcher;
    std::string m_failure;
};

} // namespace zkt
