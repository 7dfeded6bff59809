// The transfer state machine. Every change of state goes through enterState(); received
// messages arrive as events (link/received_event.h) and the tick runs the entry actions, the
// work of the states that wait on something, the retries and the transmit queue, in that order.
//
// state                    meaning                          entry action (next tick)           left by
// 0  idle                  nothing runs                     close the input                    any start
// 1  askNextManual         ask the next manual who it is    tag + identity request             at once, to 40
// 11 finished              the last manual is done          the closing text, close the input  at once, to 27
// 27 closing               the progress stays a moment      -- each tick: wait for the last    to 0 once the
// progress
//                                                           messages, then about 2 s           is put away
// 28 writingManual         identity reply during a write    (never seen by a tick)             transferStep:
// 61 or 11 29 cancellingWrite       a cancelled write ends its unit  -- each tick: wait for the queue   to 0
// 40 waitingForIdentity    identity request sent            -- retries every 2 s               identity
// reply: 44 (load),
//                                                                                              1 or 11
//                                                                                              (identify), 28
//                                                                                              (write)
// 42 waitingForFirstChunk  program request sent             -- retries every 2 s               first chunk:
// 43 43 collectingChunks      program data arriving            -- retries every 2 s               last chunk:
// 1 or 11 44 identityReceived      identity reply during a load     -- the tick closes the input       the
// same tick, to 45 45 settling              a pause before the request       -- about 1 s program request: 42
// 61 nextManualToWrite     a written manual's messages      -- each tick: once fewer than two  to 40
//                          leave                               wait, ask the next manual
// 62 cablingCheck          tag sent round the loop          -- retries every 2 s               valid count: 1

#include "link/transfer_engine.h"

#include "link/program_collection.h"
#include "link/protocol.h"
#include "link/transfer_words.h"
#include "model/program_image.h"

#include <algorithm>
#include <utility>

namespace zkt {

namespace {
using Step = TransferProgress::Step;
// The closing state puts the progress away this many ticks after a transfer has ended.
constexpr int closingTicks = 20;
// Ticks of settling between an identity reply and the program request.
constexpr int settlingTicks = 10;
// State 61 asks the next manual once no more than this many messages still wait.
constexpr std::size_t queueDrainedBelow = 2;

bool manualInChain(const ConfigModel& model, int manual) {
    return manual <= maxManuals && manual <= model.numberOfManuals;
}

bool isLoad(TransferKind kind) {
    return kind == TransferKind::load;
}
} // namespace

TransferEngine::TransferEngine(ConfigModel& model, MidiPort& port, const Clock& clock,
                               TransferObserver& observer, LinkNotices notices)
    : m_model(model), m_port(port), m_observer(observer), m_notices(std::move(notices)),
      m_queue(port, clock, m_selection, m_notices),
      m_requests(m_queue, [this] { return m_context.transferKind == TransferKind::write; }) {}

void TransferEngine::enterState(TransferState next, std::optional<TransferKind> kind) {
    if (kind)
        m_context.transferKind = *kind;
    const TransferState previous = std::exchange(m_context.transferState, next);
    if (previous != next && m_notices.log)
        m_notices.log("Transfer state " + describeState(previous) + " -> " + describeState(next));
}

TransferStatus TransferEngine::status() const {
    const TransferState state = m_context.transferState;
    const bool writing = m_context.transferKind == TransferKind::write &&
                         state != TransferState::waitingForIdentity && state != TransferState::askNextManual;
    // A write asks the next manual while the one before still leaves.
    const int sending = m_queue.unitLeavingNext();
    return {state,
            m_context.transferKind,
            m_context.purpose,
            writing && sending != 0 ? sending : m_context.currentManual,
            m_context.manualsToRead,
            static_cast<std::size_t>(std::max<int>(m_context.collection.receivedLength, 0)),
            static_cast<std::size_t>(std::max<int>(m_context.collection.expectedProgramLength, 0)),
            m_queue.queueLength(),
            m_context.lastTagCount};
}

ConfigModel& TransferEngine::target() {
    return isLoad(m_context.transferKind) ? m_loading : m_model;
}

const ConfigModel& TransferEngine::transferModel() const {
    return isLoad(m_context.transferKind) ? m_loading : m_model;
}

bool TransferEngine::busy() const {
    const TransferKind kind = m_context.transferKind;
    return (kind == TransferKind::load || kind == TransferKind::write) &&
           m_context.transferState != TransferState::idle;
}

// ---- Commands

bool TransferEngine::portsReady(TransferKind kind) {
    if (!m_selection.midiConfigured())
        m_observer.portChoiceNeeded(kind);
    return m_selection.midiConfigured();
}

void TransferEngine::begin(TransferKind kind, LoadPurpose purpose, TransferState first) {
    m_confirmingWrite = false;
    m_manualsWritten.clear();
    m_manualsUnconfirmed.clear();
    m_presenceTicks = 0;
    // The kind is set with the first state, before anything is queued: it decides how the
    // messages are paced.
    enterState(first, kind);
    m_context.purpose = purpose;
    // A count from an earlier transfer says nothing about this one's cabling check.
    m_context.lastTagCount.reset();
    m_outcome = {TransferOutcome::Result::running, kind, purpose, {}, {}};
    m_progressShown = true;
    m_observer.transferStarted(kind, purpose);
    setCancellable(true);
}

bool TransferEngine::startLoad(LoadPurpose purpose, std::vector<int> manuals) {
    if (!portsReady(TransferKind::load))
        return false;
    begin(TransferKind::load, purpose, TransferState::cablingCheck);
    m_context.manualsToRead = std::move(manuals);
    // Fields an image does not mention keep what the configuration held, as they always have.
    m_loading = purpose == LoadPurpose::edit ? m_model : ConfigModel{};
    m_chainRead = {};
    m_observer.progressed({.step = Step::loadStarted});
    // Asking who the boards are, or reading back what was just written (which rebooted the MCU
    // written), needs no fresh start of them.
    if (purpose == LoadPurpose::edit || purpose == LoadPurpose::backup)
        m_requests.rebootMcu(protocol::allDevices);
    m_requests.sendTag();
    return true;
}

bool TransferEngine::startWrite(WriteRequest request) {
    if (!portsReady(TransferKind::write))
        return false;
    m_observer.progressed({.step = Step::writeAsked});
    if (!encodesEveryManual())
        return true;
    begin(TransferKind::write, LoadPurpose::edit, TransferState::waitingForIdentity);
    m_context.write = std::move(request);
    m_context.currentManual = static_cast<std::int16_t>(manualsCovered().front());
    m_observer.progressed({.step = Step::writeStarted});
    askNextManualToWrite();
    return true;
}

// Without a fresh read each identity request waits for the first retry, as the write always
// has; right after one there is nothing to wait for.
void TransferEngine::askNextManualToWrite() {
    if (m_context.write.askAtOnce) {
        m_context.retryTicks = 0;
        m_requests.requestIdentityAlone(m_context.currentManual);
    }
    enterState(TransferState::waitingForIdentity);
}

// Every manual of the configuration, also those a write of some manuals leaves out: a value
// that cannot be encoded is a fault in the configuration wherever it sits.
bool TransferEngine::encodesEveryManual() {
    // A write covers manual 1 even when no chain has been detected yet.
    const int lastManual = std::clamp<int>(m_model.numberOfManuals, 1, maxManuals);
    for (int manual = 1; manual <= lastManual; ++manual) {
        try {
            encodedManual(m_model, manual);
        } catch (const EncodeOverflow& overflow) {
            enterState(m_context.transferState, TransferKind::write);
            m_outcome = {TransferOutcome::Result::running, TransferKind::write, LoadPurpose::edit, {}, {}};
            abandonTransfer(TransferOutcome::Cause::cannotEncode,
                            {TransferFailure::What::cannotEncode, overflow.what()});
            return false;
        }
    }
    return true;
}

void TransferEngine::finishFileTransfer() {
    enterState(TransferState::finished, TransferKind::file);
    // The front end shows the file's progress itself; the closing puts it away.
    m_progressShown = true;
    m_outcome = {TransferOutcome::Result::running, TransferKind::file, LoadPurpose::edit, {}, {}};
    finish(TransferOutcome::Result::succeeded);
}

void TransferEngine::cancelTransfer() {
    const TransferState current = m_context.transferState;
    if (!m_outcome.running() || current == TransferState::cancellingWrite ||
        current == TransferState::finished || current == TransferState::closing)
        return;
    if (m_context.transferKind == TransferKind::write) {
        const int unit = m_queue.withdrawAllButStartedUnit();
        enterState(TransferState::cancellingWrite);
        m_observer.progressed({.step = Step::cancelling, .manual = unit});
        setCancellable(false);
        return;
    }
    m_queue.clear();
    enterState(TransferState::idle);
    reportCancelled();
}

void TransferEngine::dismissProgress(bool releaseInput) {
    if (releaseInput)
        m_queue.closeInput();
    if (std::exchange(m_progressShown, false))
        m_observer.retriesPaused();
}

void TransferEngine::reportCancelled() {
    const WriteTally tally = writeTally();
    m_observer.progressed({.step = Step::cancelled, .kind = m_context.transferKind, .tally = tally});
    finish(TransferOutcome::Result::cancelled, cancelledText(m_context.transferKind, tally));
}

void TransferEngine::abandonTransfer(TransferOutcome::Cause cause, TransferFailure failure) {
    // What it leaves behind is taken before the queue is cleared.
    failure.kind = m_context.transferKind;
    failure.tally = writeTally();
    enterState(TransferState::idle);
    m_queue.clear();
    m_observer.progressed({.step = Step::failed, .failure = failure});
    finish(TransferOutcome::Result::failed, failureReason(failure), cause);
}

void TransferEngine::finish(TransferOutcome::Result result, std::string reason,
                            TransferOutcome::Cause cause) {
    setCancellable(false);
    m_outcome.result = result;
    m_outcome.reason = std::move(reason);
    m_outcome.cause = cause;
    m_observer.transferFinished(m_outcome);
}

void TransferEngine::showProgress() {
    if (!std::exchange(m_progressShown, true))
        m_observer.retriesResumed();
}

void TransferEngine::setCancellable(bool cancellable) {
    if (std::exchange(m_cancellable, cancellable) != cancellable)
        m_observer.cancellableChanged(cancellable);
}

WriteTally TransferEngine::writeTally() const {
    std::vector<int> uncertain = m_manualsUnconfirmed;
    if (m_queue.startedUnit() != 0)
        uncertain.push_back(m_queue.startedUnit());
    return {m_manualsWritten, std::move(uncertain), manualsCovered()};
}

// The manuals a write sends, in order: those asked for, or every manual of the configuration
// (manual 1 even when no chain has been detected yet).
std::vector<int> TransferEngine::manualsCovered() const {
    if (!m_context.write.manuals.empty())
        return m_context.write.manuals;
    std::vector<int> manuals;
    for (int manual = 1; manual <= std::clamp<int>(m_model.numberOfManuals, 1, maxManuals); ++manual)
        manuals.push_back(manual);
    return manuals;
}

// ---- The tick

void TransferEngine::onTimerTick() {
    if (m_context.transferState != m_context.lastSeenState)
        runEntryAction();
    else
        runStateWork();
    if (m_context.transferState == TransferState::cancellingWrite)
        runCancelling();
    runRetries();
    if (m_context.transferState == TransferState::identityReceived) {
        m_queue.closeInput();
        enterState(TransferState::settling);
    }
    if (m_context.transferState == TransferState::settling)
        settleBeforeProgramRequest();
    pump();
    checkDevicesPresent();
    succeedOnceSettled();
}

void TransferEngine::runEntryAction() {
    const TransferState current = m_context.transferState;
    m_context.lastSeenState = current;
    switch (current) {
    case TransferState::idle:
        m_context.retryTicks = 0;
        m_queue.closeInput();
        break;
    case TransferState::askNextManual:
        m_context.retryTicks = 0;
        // A read-back follows the count it has just taken with the identity request alone.
        if (m_context.purpose == LoadPurpose::readBack)
            m_requests.requestIdentityAlone(m_context.currentManual);
        else
            m_requests.requestIdentity(m_context.currentManual);
        enterState(TransferState::waitingForIdentity);
        break;
    case TransferState::finished:
        enterFinished();
        break;
    case TransferState::closing:
    case TransferState::nextManualToWrite:
        runStateWork();
        break;
    default:
        break;
    }
}

// The states that wait on something do their work on every tick.
void TransferEngine::runStateWork() {
    if (m_context.transferState == TransferState::closing)
        whileClosing();
    else if (m_context.transferState == TransferState::nextManualToWrite)
        whileNextManualWaits();
}

void TransferEngine::enterFinished() {
    m_context.retryTicks = 0;
    setCancellable(false);
    m_observer.progressed(
        {.step = Step::finished, .kind = m_context.transferKind, .purpose = m_context.purpose});
    enterState(TransferState::closing);
    m_queue.closeInput();
    m_ticksSinceFinished = 0;
    m_closingTicks = 0;
}

void TransferEngine::whileClosing() {
    m_context.retryTicks = 0;
    ++m_ticksSinceFinished;
    ++m_closingTicks;
    // A write's last messages are paced 600 ms apart and may still be queued: the progress stays
    // (and the commands stay off) until they have left and the chain was seen still there, so
    // "Done." is seen and nobody switches the organ off while an MCU is still being written.
    if (m_outcome.running())
        return;
    if (m_progressShown && m_closingTicks <= closingTicks)
        return;
    m_progressShown = false;
    enterState(TransferState::idle);
    m_observer.closingDone();
}

void TransferEngine::whileNextManualWaits() {
    m_context.retryTicks = 0;
    if (m_queue.queueLength() >= queueDrainedBelow)
        return;
    askNextManualToWrite();
    m_observer.progressed({.step = Step::writingManual, .manual = m_context.currentManual});
    showProgress();
}

void TransferEngine::runCancelling() {
    if (m_queue.queueLength() > 0 || !m_queue.pauseOver())
        return;
    confirmDevicesPresent();
    enterState(TransferState::idle);
    reportCancelled();
}

void TransferEngine::runRetries() {
    const TransferState current = m_context.transferState;
    const bool waitingForData =
        current == TransferState::waitingForFirstChunk || current == TransferState::collectingChunks;
    if ((current != TransferState::waitingForIdentity && current != TransferState::cablingCheck &&
         !waitingForData) ||
        !m_progressShown)
        return;
    if (++m_context.retryTicks < retryEveryTicks)
        return;
    m_context.retryTicks = 0;
    if (waitingForData) {
        repeatProgramRequest();
        return;
    }
    if (current == TransferState::waitingForIdentity)
        m_requests.requestIdentity(m_context.currentManual);
    else
        m_requests.sendTag();
    if (++m_retriesSinceWarning <= retriesBeforeWarning)
        return;
    m_observer.progressed({.step = Step::retryWarning, .waitingIn = current});
    m_retriesSinceWarning = 0;
}

// A chunk lost on the way (a busy MIDI server, a loose cable) would leave the load waiting
// for ever: the whole request goes out again.
void TransferEngine::repeatProgramRequest() {
    askForProgram(false);
    if (++m_context.programRetries < programRetriesBeforeWarning)
        return;
    m_context.programRetries = 0;
    m_observer.progressed({.step = Step::manualSilent, .manual = m_context.currentManual});
}

void TransferEngine::settleBeforeProgramRequest() {
    if (++m_ticksSinceFinished > settlingTicks)
        transferStep();
}

// An unplugged interface or a MIDI server client that went away: the transfer cannot go on,
// and a write must not be reported as written.
void TransferEngine::checkDevicesPresent() {
    if (!devicesNeeded())
        return;
    // A write's last message has had its pause: a moment later is now.
    const bool writeJustEnded = m_confirmingWrite && m_queue.pauseOver();
    if (++m_presenceTicks < presenceCheckTicks && !writeJustEnded)
        return;
    m_presenceTicks = 0;
    if (confirmDevicesPresent()) {
        m_confirmingWrite = false;
        return;
    }
    abandonTransfer(TransferOutcome::Cause::deviceGone,
                    {TransferFailure::What::deviceGone, *m_queue.missingDevice()});
}

// A load has succeeded once its last manual is decoded and its last message has left; a write
// once its last message has left and its devices were seen still there.
void TransferEngine::succeedOnceSettled() {
    if (!m_outcome.running() || m_context.transferState != TransferState::closing)
        return;
    if (m_queue.queueLength() > 0 || !m_queue.pauseOver() || m_confirmingWrite)
        return;
    finish(TransferOutcome::Result::succeeded);
}

// Sent only means handed to the MIDI system: a manual counts as written once its chain was
// seen still there after its last message.
bool TransferEngine::confirmDevicesPresent() {
    if (m_queue.missingDevice())
        return false;
    for (int manual : m_manualsUnconfirmed)
        m_observer.manualWritten(manual);
    m_manualsWritten.insert(m_manualsWritten.end(), m_manualsUnconfirmed.begin(), m_manualsUnconfirmed.end());
    m_manualsUnconfirmed.clear();
    return true;
}

// Until a load has read its last manual, and until a write's last message has left and the chain
// was still there a moment later.
bool TransferEngine::devicesNeeded() const {
    if (!busy())
        return false;
    const TransferState current = m_context.transferState;
    if (current != TransferState::finished && current != TransferState::closing)
        return true;
    return m_context.transferKind == TransferKind::write &&
           (m_queue.pacedMessagesQueued() || m_confirmingWrite);
}

void TransferEngine::pump() {
    const auto result = m_queue.pumpQueue();
    switch (result) {
    case TransmitQueue::PumpResult::openFailed:
        abandonTransfer(TransferOutcome::Cause::portTrouble,
                        {TransferFailure::What::portsWouldNotOpen, m_queue.lastOpenReport().failure});
        return;
    case TransmitQueue::PumpResult::openedPorts:
        if (!m_queue.lastOpenReport().substituted.empty())
            m_observer.progressed(
                {.step = Step::deviceSubstituted, .detail = m_queue.lastOpenReport().substituted});
        return;
    case TransmitQueue::PumpResult::sendFailed:
        if (devicesNeeded())
            abandonTransfer(TransferOutcome::Cause::portTrouble,
                            {TransferFailure::What::sendRefused, m_queue.lastSendFailure()});
        return;
    case TransmitQueue::PumpResult::sent:
        break;
    default:
        return;
    }
    if (m_queue.lastSentEndedUnit())
        m_manualsUnconfirmed.push_back(m_queue.lastSentUnit());
    // Only the last message of a write that has queued all its manuals is "Done.": without a
    // detected chain, the identity request of manual 1 would otherwise qualify as well.
    const bool allQueued = m_context.transferState == TransferState::finished ||
                           m_context.transferState == TransferState::closing;
    if (m_context.transferKind == TransferKind::write && allQueued && !m_queue.pacedMessagesQueued()) {
        m_observer.progressed({.step = Step::lastMessageSent});
        // Sent only means handed to the MIDI system; the chain must still be there a moment on.
        m_confirmingWrite = true;
        m_presenceTicks = 0;
        // The closing countdown starts again, so that "Done." can be read before it ends.
        m_closingTicks = 0;
    }
}

// ---- Received messages

// Which state takes which event: the returned tag in the cabling check, an identity reply while
// one is awaited, program data while it is requested (and then only the manual's own).
bool TransferEngine::expects(const ReceivedEvent& event) const {
    const TransferState current = m_context.transferState;
    if (std::holds_alternative<TagReturned>(event))
        return current == TransferState::cablingCheck;
    if (std::holds_alternative<IdentityReplied>(event))
        return current == TransferState::waitingForIdentity;
    const int device = std::get<ProgramChunk>(event).device;
    // A late or repeated answer of another MCU must not become part of this manual; boards
    // that answer as "all devices" are taken at their word.
    return (current == TransferState::waitingForFirstChunk || current == TransferState::collectingChunks) &&
           (device == m_context.currentManual || device == protocol::allDevices);
}

void TransferEngine::dispatchMessage(std::span<const std::uint8_t> message) {
    const auto event = interpretReceived(message);
    if (!event)
        return;
    if (!expects(*event)) {
        if (m_notices.log)
            m_notices.log("Transfer state " + describeState(m_context.transferState) + " ignored " +
                          describeEvent(*event));
        return;
    }
    if (const auto* tag = std::get_if<TagReturned>(&*event))
        onReturnedTag(*tag);
    else if (const auto* identity = std::get_if<IdentityReplied>(&*event))
        onIdentityReply(*identity);
    else
        onProgramChunk(std::get<ProgramChunk>(*event));
}

void TransferEngine::drainReceived() {
    while (auto message = m_port.takeReceived())
        dispatchMessage(*message);
}

void TransferEngine::onReturnedTag(const TagReturned& tag) {
    m_context.lastTagCount = tag.count;
    const ChainCount count = chainCountFromTag(tag.count);
    m_observer.chainCounted(count);
    ConfigModel& model = target();
    if (!count.valid) {
        // A count the chain cannot have must not reach the model: panels, saves and writes
        // all index by it.
        model.numberOfManuals = 0;
        m_observer.progressed({.step = Step::chainCounted, .count = count});
        return;
    }
    model.numberOfManuals = static_cast<std::int16_t>(count.boards);
    m_observer.progressed({.step = Step::chainCounted, .count = count});
    m_context.currentManual = 0;
    nextManualOrFinish(model);
}

void TransferEngine::onIdentityReply(const IdentityReplied& identity) {
    ConfigModel& model = target();
    model.hardwareType = identity.reply.hardwareType;
    model.firmwareVersion = identity.reply.firmwareVersion;
    if (m_context.transferKind == TransferKind::write) {
        m_observer.progressed({.step = Step::identityAnswered});
        enterState(TransferState::writingManual);
        // The write step decides whether another manual follows.
        if (transferStep() && m_context.transferState == TransferState::nextManualToWrite)
            showProgress();
        return;
    }
    if (m_context.purpose == LoadPurpose::identify) {
        m_observer.manualIdentified(m_context.currentManual, identity.reply);
        nextManualOrFinish(model);
        return;
    }
    enterState(TransferState::identityReceived);
}

void TransferEngine::onProgramChunk(const ProgramChunk& chunk) {
    enterState(TransferState::collectingChunks);
    // The manual is answering: the time-out counts from its latest chunk.
    m_context.retryTicks = 0;
    if (m_notices.userMessage) {
        for (const std::string& damage : chunk.damage)
            m_notices.userMessage(damage);
    }
    // A damaged byte was left out, which shifts everything after it: such a chunk is not placed.
    if (!chunk.address || !chunk.damage.empty())
        return;
    placeProgramChunk(m_context.collection, *chunk.address, chunk.data);
    if (programCollectionComplete(m_context.collection) && isLoad(m_context.transferKind))
        finishLoadedManual();
}

void TransferEngine::finishLoadedManual() {
    const Bytes& image = m_context.collection.receivedProgramData;
    const int manual = m_context.currentManual;
    m_chainRead.images.push_back(image);
    m_chainRead.hardwareTypes.push_back(m_loading.hardwareType);
    decodeProgramImage(m_loading, manual, image);
    m_requests.rebootMcu(manual);
    m_observer.manualRead(manual);
    nextManualOrFinish(m_loading);
}

void TransferEngine::nextManualOrFinish(ConfigModel& model) {
    const auto next = nextManualToRead(model, m_context.currentManual);
    m_context.currentManual = static_cast<std::int16_t>(next.value_or(m_context.currentManual + 1));
    if (next) {
        enterState(TransferState::askNextManual);
        return;
    }
    enterState(TransferState::finished);
    if (m_context.purpose == LoadPurpose::edit)
        m_model = m_loading;
}

// The manual after `after` that the load reads and the chain has.
std::optional<int> TransferEngine::nextManualToRead(const ConfigModel& model, int after) const {
    const std::vector<int>& listed = m_context.manualsToRead;
    if (listed.empty())
        return manualInChain(model, after + 1) ? std::optional<int>(after + 1) : std::nullopt;
    const auto next =
        std::find_if(listed.begin(), listed.end(), [after](int manual) { return manual > after; });
    if (next == listed.end() || !manualInChain(model, *next))
        return std::nullopt;
    return *next;
}

// The step of one manual: a load asks for its program data, a write queues it.
bool TransferEngine::transferStep() {
    const bool load = isLoad(m_context.transferKind);
    m_observer.progressed({.step = Step::stepBegun, .kind = m_context.transferKind});
    showProgress();
    m_context.programSlot = 1;
    const int manual = m_context.currentManual;
    if (load) {
        m_context.retryTicks = 0;
        m_context.programRetries = 0;
        askForProgram(true);
        m_observer.progressed({.step = Step::requestSent});
        return true;
    }
    const std::vector<int> covered = manualsCovered();
    if (manual == covered.front())
        m_observer.progressed({.step = Step::writingFirstManual, .manual = manual});
    try {
        const auto chunks = m_context.write.chunks.find(manual);
        m_requests.writeProgram(m_model, manual, m_context.programSlot - 1,
                                chunks == m_context.write.chunks.end() ? everyChunk : chunks->second);
    } catch (const EncodeOverflow& overflow) {
        abandonTransfer(TransferOutcome::Cause::cannotEncode,
                        {TransferFailure::What::cannotEncodeManual, overflow.what(), manual});
        return false;
    }
    const auto next = std::find(covered.begin(), covered.end(), manual) + 1;
    m_context.currentManual = static_cast<std::int16_t>(next == covered.end() ? covered.back() + 1 : *next);
    enterState(next == covered.end() ? TransferState::finished : TransferState::nextManualToWrite);
    return true;
}

// The program request of the current manual; the collection starts afresh.
void TransferEngine::askForProgram(bool announce) {
    const int manual = m_context.currentManual;
    const int slotIndex = m_context.programSlot - 1;
    if (announce) {
        showProgress();
        m_observer.progressed({.step = Step::manualRequested, .manual = manual});
    }
    startProgramCollection(m_context.collection, slotAddress(slotIndex),
                           static_cast<std::int16_t>(programImageSize));
    m_requests.requestProgram(manual, slotIndex);
    enterState(TransferState::waitingForFirstChunk);
}

} // namespace zkt
