#pragma once
// Loads all manuals from the MCU chain and writes them back, driven by a 100 ms tick and by
// the messages the chain sends back. One object owns all transfer state; the model, the
// port, the clock and the window come in by reference, so tests run whole transfers in
// virtual time.

#include "link/chain_read.h"
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
#include <vector>

namespace zkt {

// Why the chain is read: to edit what it holds, or only to look (a backup before a write, the
// read-back after it), which leaves the edited configuration alone.
enum class LoadPurpose { edit, backup, readBack };

class TransferEngine {
public:
    static constexpr Micros tickInterval{100'000};
    // Unanswered tags, identity requests and program requests go out again after this many
    // visible ticks...
    static constexpr int retryEveryTicks = 20;
    // ...and after more retries than this the user is told to check the cabling...
    static constexpr int retriesBeforeWarning = 50;
    // ...or, for a program request, which manual does not answer.
    static constexpr int programRetriesBeforeWarning = 5;
    // How often an open port's device is looked for in the lists while a transfer runs.
    static constexpr int presenceCheckTicks = 10;

    TransferEngine(ConfigModel& model, MidiPort& port, const Clock& clock, StatusSink& status,
                   MainWindowHooks& hooks, LinkNotices notices = {});
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // "Load Current Settings from the ZKT". The manuals are read into a model of their own and,
    // for editing, replace the edited configuration only once the last one has arrived.
    void startLoad(LoadPurpose purpose = LoadPurpose::edit);
    // "Write Program Data to ZKT": manuals 1..numberOfManuals, or only those listed (in that
    // order). Every manual is encoded once first; when one cannot be, nothing is sent and the
    // status window says why.
    void startWrite(std::vector<int> manuals = {});
    // A configuration file has been loaded or saved: end like a device load does.
    void finishFileTransfer();
    // The status window's Cancel: a load stops and changes nothing; a write finishes the
    // manual whose program updates have begun to leave and sends nothing more.
    void cancelTransfer();

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
    // What a load has read so far, decoded and as bytes.
    const ConfigModel& loading() const { return m_loading; }
    const ChainRead& chainRead() const { return m_chainRead; }
    // The model the transfer works on: the one being read into, or the one being written.
    const ConfigModel& transferModel() const;
    // A load or write between its start and the moment its last message has left.
    bool transferRunning() const;
    // True once a transfer has ended and its last queued message has left (the status
    // window may still be counting down to its close).
    bool settled() const;
    // Why the last transfer stopped before its end; empty while nothing went wrong.
    const std::string& failure() const { return m_failure; }
    bool cancelled() const { return m_cancelled; }
    // The manuals whose program updates have all left during the last write, with the chain
    // still there afterwards.
    const std::vector<int>& manualsWritten() const { return m_manualsWritten; }

private:
    ConfigModel& target();
    bool transferStep();
    void runEntryAction();
    void runRetries();
    void repeatProgramRequest();
    void enterFinished();
    void runClosing();
    void runNextManualToWrite();
    void runCancelling();
    void settleBeforeProgramRequest();
    void checkDevicesPresent();
    bool confirmDevicesPresent();
    bool devicesNeeded() const;
    void pump();
    bool encodesEveryManual();
    void begin(std::int16_t kind);
    void abandonTransfer(const std::string& explanation);
    void endTransfer();
    void completeLoad();
    void manualRead(std::span<const std::uint8_t> image);
    std::vector<int> manualsCovered() const;
    std::string progressSoFar() const;

    ConfigModel& m_model;
    ConfigModel m_loading;
    ChainRead m_chainRead;
    LoadPurpose m_purpose = LoadPurpose::edit;
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
    bool m_cancelled = false;
    std::vector<int> m_manualsWritten;
    std::vector<int> m_manualsUnconfirmed;
    int m_presenceTicks = 0;
    // A write's last message has left; the chain's ports must still be there a moment later.
    bool m_confirmingWrite = false;
};

} // namespace zkt
