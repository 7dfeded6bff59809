#pragma once
// Loads all manuals from the MCU chain and writes them back, driven by a 100 ms tick and by
// the messages the chain sends back. One object owns all transfer state and is its only
// writer; the model, the port and the clock come in by reference, and what happens is told
// to a TransferObserver, so the desktop program, zktcli, the browser page and tests run the same
// transfers, tests in virtual time.

#include "link/chain_read.h"
#include "link/clock.h"
#include "link/device_requests.h"
#include "link/midi_port.h"
#include "link/midi_selection.h"
#include "link/received_event.h"
#include "link/transfer_events.h"
#include "link/transfer_state.h"
#include "link/transmit_queue.h"
#include "model/config_model.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zkt {

class TransferEngine {
public:
    static constexpr Micros tickInterval{100'000};
    // Unanswered tags, identity requests and program requests go out again after this many
    // ticks of shown progress...
    static constexpr int retryEveryTicks = 20;
    // ...and after more retries than this the user is told to check the cabling...
    static constexpr int retriesBeforeWarning = 50;
    // ...or, for a program request, which manual does not answer.
    static constexpr int programRetriesBeforeWarning = 5;
    // How often an open port's device is looked for in the lists while a transfer runs.
    static constexpr int presenceCheckTicks = 10;

    TransferEngine(ConfigModel& model, MidiPort& port, const Clock& clock, TransferObserver& observer,
                   LinkNotices notices = {});
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // "Load Current Settings from the ZKT". The manuals are read into a model of their own and,
    // for editing, replace the edited configuration only once the last one has arrived. Only
    // the manuals listed are read, when some are (in ascending order). False when it could not
    // start (no ports chosen).
    bool startLoad(LoadPurpose purpose = LoadPurpose::edit, std::vector<int> manuals = {});
    // "Write Program Data to ZKT": the manuals and chunks requested. Every manual is encoded
    // once first; when one cannot be, nothing is sent and the outcome says why. False when it
    // could not start.
    bool startWrite(WriteRequest request = {});
    // A configuration file has been loaded or saved: end like a device load does.
    void finishFileTransfer();
    // The progress's Cancel: a load stops and changes nothing; a write finishes the manual
    // whose program updates have begun to leave and sends nothing more.
    void cancelTransfer();
    // The user put the progress away: retries pause until the engine shows it again. The
    // progress's Close also closes the MIDI input (releaseInput).
    void dismissProgress(bool releaseInput);

    // The 100 ms timer.
    void onTimerTick();
    // One whole received SysEx message, F0 .. F7.
    void dispatchMessage(std::span<const std::uint8_t> message);
    // Hands every message the port has collected to dispatchMessage.
    void drainReceived();

    TransferStatus status() const;
    const TransferOutcome& outcome() const { return m_outcome; }
    // A load or write holds the link: from its start until its closing is done or it stops.
    bool busy() const;
    bool retriesPaused() const { return !m_progressShown; }
    MidiSelection& selection() { return m_selection; }
    const MidiSelection& selection() const { return m_selection; }
    TransmitQueue& queue() { return m_queue; }
    const TransmitQueue& queue() const { return m_queue; }
    // What a load has read so far, decoded and as bytes.
    const ConfigModel& loading() const { return m_loading; }
    const ChainRead& chainRead() const { return m_chainRead; }
    // The model the transfer works on: the one being read into, or the one being written.
    const ConfigModel& transferModel() const;
    // The manuals whose program updates have all left during the last write, with the chain
    // still there afterwards.
    const std::vector<int>& manualsWritten() const { return m_manualsWritten; }
    // How far the last write has come (transfer_words.h says it in words).
    WriteTally writeTally() const;

private:
    // The only writer of the transfer state, and of the kind of transfer where one begins.
    void enterState(TransferState next, std::optional<TransferKind> kind = {});
    // Whether the state takes the event at all; what it does not take is logged as such.
    bool expects(const ReceivedEvent& event) const;
    void runEntryAction();
    void runStateWork();
    void enterFinished();
    void whileClosing();
    void whileNextManualWaits();
    void askNextManualToWrite();
    void runCancelling();
    void runRetries();
    void repeatProgramRequest();
    void settleBeforeProgramRequest();
    void checkDevicesPresent();
    void succeedOnceSettled();
    void pump();

    void onReturnedTag(const TagReturned& tag);
    void onIdentityReply(const IdentityReplied& identity);
    void onProgramChunk(const ProgramChunk& chunk);
    void finishLoadedManual();
    bool transferStep();
    void askForProgram(bool announce);
    void nextManualOrFinish(ConfigModel& model);
    std::optional<int> nextManualToRead(const ConfigModel& model, int after) const;

    bool portsReady(TransferKind kind);
    void begin(TransferKind kind, LoadPurpose purpose, TransferState first);
    bool encodesEveryManual();
    void abandonTransfer(TransferOutcome::Cause cause, TransferFailure failure);
    void reportCancelled();
    void finish(TransferOutcome::Result result, std::string reason = {},
                TransferOutcome::Cause cause = TransferOutcome::Cause::none);
    void showProgress();
    void setCancellable(bool cancellable);
    bool confirmDevicesPresent();
    bool devicesNeeded() const;
    ConfigModel& target();
    std::vector<int> manualsCovered() const;

    ConfigModel& m_model;
    ConfigModel m_loading;
    ChainRead m_chainRead;
    MidiPort& m_port;
    TransferObserver& m_observer;
    LinkNotices m_notices;
    MidiSelection m_selection;
    TransferContext m_context;
    TransferOutcome m_outcome;
    TransmitQueue m_queue;
    DeviceRequests m_requests;
    std::vector<int> m_manualsWritten;
    std::vector<int> m_manualsUnconfirmed;
    int m_presenceTicks = 0;
    // A write's last message has left; the chain's ports must still be there a moment later.
    bool m_confirmingWrite = false;
    // Whether the progress is shown; retries and the closing countdown depend on it.
    bool m_progressShown = false;
    // Ticks of the closing countdown, which starts again at a write's "Done." so that it can be
    // read.
    int m_closingTicks = 0;
    // Of the session, not of one transfer: the ticks counted in closing and settling since start-up
    // or the last finish. The settling before a program request lasts until they pass
    // settlingTicks, so the first load after start-up settles about 1.1 s before its first
    // program request, and a load after a transfer whose progress stayed its 2 s does not.
    int m_ticksSinceFinished = 0;
    // Also of the session: unanswered tag or identity retries since the last warning, which no
    // new transfer resets.
    int m_retriesSinceWarning = 0;
    bool m_cancellable = false;
};

} // namespace zkt
