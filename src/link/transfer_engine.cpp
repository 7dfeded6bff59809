#include "link/transfer_engine.h"

#include "link/transfer_texts.h"
#include "model/program_image.h"

#include <algorithm>
#include <string>

namespace zkt {

namespace {
const std::string product(texts::product);
// The state machine closes the status window this many ticks after a transfer has ended.
constexpr int closingTicks = 20;
// Ticks of settling between an identity reply and the program request.
constexpr int settlingTicks = 10;
// State 61 asks the next manual once no more than this many messages still wait.
constexpr std::size_t queueDrainedBelow = 2;

std::string writingManualLine(int manual) {
    return "Writing " + product + " Program Data to Manual #" + std::to_string(manual) + "...";
}
} // namespace

TransferEngine::TransferEngine(ConfigModel& model, MidiPort& port, const Clock& clock, StatusSink& status,
                               MainWindowHooks& hooks, LinkNotices notices)
    : m_model(model), m_port(port), m_status(status), m_hooks(hooks), m_notices(std::move(notices)),
      m_queue(port, clock, m_selection, m_notices), m_requests(m_queue, m_transfer, status),
      m_dispatcher(m_transfer, model, status, hooks, m_requests, m_notices,
                   [this] { return transferStep(); }) {}

void TransferEngine::startLoad() {
    m_failure.clear();
    // Only a cancel of the dialog shown now stops the load: an old cancel must not silently
    // refuse every later load of a configured port pair.
    if (!m_selection.midiConfigured()) {
        m_selection.midiSetupCancelled = m_hooks.showMidiSetup();
        if (m_selection.midiSetupCancelled) {
            m_status.hide();
            return;
        }
    }
    m_status.centreOverMain();
    m_status.setCaption(texts::loadingCaption());
    m_status.replaceText("Requesting " + product + " Configuration..");
    m_status.show();
    m_hooks.hideManualPanels();
    m_requests.rebootMcu(allManuals);
    m_requests.sendTag();
    m_transfer.transferKind = kind::load;
}

void TransferEngine::startWrite() {
    m_failure.clear();
    if (!m_selection.midiConfigured()) {
        m_selection.midiSetupCancelled = m_hooks.showMidiSetup();
        if (m_selection.midiSetupCancelled)
            return;
    }
    m_status.centreOverMain();
    m_status.setCaption(texts::writingCaption());
    if (!encodesEveryManual())
        return;
    m_transfer.transferKind = kind::write;
    m_model.currentManual = 1;
    m_transfer.transferState = state::waitingForIdentity;
    m_status.replaceText("Requesting " + product + " Global Configuration..");
    m_status.show();
}

bool TransferEngine::encodesEveryManual() {
    // A write covers manual 1 even when no chain has been detected yet.
    const int lastManual = std::clamp<int>(m_model.numberOfManuals, 1, maxManuals);
    for (int manual = 1; manual <= lastManual; ++manual) {
        try {
            encodedManual(m_model, manual);
        } catch (const EncodeOverflow& overflow) {
            abandonWrite("Nothing was sent to the " + product + ": " + overflow.what());
            return false;
        }
    }
    return true;
}

void TransferEngine::abandonWrite(const std::string& explanation) {
    m_transfer.transferKind = kind::write;
    m_transfer.transferState = state::idle;
    m_failure = explanation;
    m_status.replaceText(explanation);
    m_status.show();
    m_hooks.enableAllCommands();
}

void TransferEngine::finishFileTransfer() {
    m_transfer.transferKind = kind::file;
    m_transfer.transferState = state::finished;
}

bool TransferEngine::transferStep() {
    const bool load = m_transfer.transferKind == kind::load;
    m_status.setCaption(load ? texts::loadingCaption() : texts::writingCaption());
    m_status.show();
    m_transfer.programSlot = 1;
    const int slotIndex = m_transfer.programSlot - 1;
    const int manual = m_model.currentManual;
    if (load) {
        m_requests.requestProgram(manual, slotIndex);
        m_status.appendText(" ok");
        return true;
    }
    if (manual == 1)
        texts::appendLine(m_status, writingManualLine(1) + " ok");
    try {
        m_requests.writeProgram(m_model, manual, slotIndex);
    } catch (const EncodeOverflow& overflow) {
        abandonWrite("Writing stopped before manual " + std::to_string(manual) + ": " + overflow.what());
        return false;
    }
    m_requests.rebootMcu(manual);
    ++m_model.currentManual;
    m_transfer.transferState =
        manualInChain(m_model, m_model.currentManual) ? state::nextManualToWrite : state::finished;
    return true;
}

void TransferEngine::onTimerTick() {
    if (m_transfer.transferState != m_transfer.lastSeenState)
        runEntryAction();
    runRetries();
    if (m_transfer.transferState == state::identityReceived) {
        m_queue.closeInput();
        m_transfer.transferState = state::settling;
    }
    if (m_transfer.transferState == state::settling)
        settleBeforeProgramRequest();
    pump();
}

void TransferEngine::runEntryAction() {
    const std::int16_t current = m_transfer.transferState;
    switch (current) {
    case state::idle:
        m_transfer.lastSeenState = state::idle;
        m_transfer.retryTicks = 0;
        m_queue.closeInput();
        break;
    case state::askNextManual:
        m_transfer.retryTicks = 0;
        m_requests.requestIdentity(m_model.currentManual);
        break;
    case state::finished:
        enterFinished();
        break;
    case state::closing:
        runClosing();
        break;
    case state::nextManualToWrite:
        runNextManualToWrite();
        break;
    case state::waitingForIdentity:
    case state::waitingForFirstChunk:
    case state::collectingChunks:
    case state::identityReceived:
    case state::settling:
    case state::cablingCheck:
        m_transfer.lastSeenState = current;
        break;
    default:
        break;
    }
}

void TransferEngine::enterFinished() {
    m_transfer.lastSeenState = state::finished;
    m_transfer.retryTicks = 0;
    switch (m_transfer.transferKind) {
    case kind::load:
        texts::appendLine(m_status, product + " Configuration data loaded!");
        texts::appendLine(m_status, "Ready.");
        break;
    case kind::write:
        texts::appendLine(m_status, product + " Configuration data written!");
        break;
    case kind::file:
        texts::appendLine(m_status, product + " Configuration data loaded from file!");
        texts::appendLine(m_status, "Ready.");
        break;
    default:
        break;
    }
    m_transfer.transferState = state::closing;
    m_queue.closeInput();
    m_transfer.waitTicks = 0;
    m_hooks.transferFinished(m_transfer.transferKind);
}

void TransferEngine::runClosing() {
    m_transfer.retryTicks = 0;
    ++m_transfer.waitTicks;
    // A write's last messages are paced 600 ms apart and may still be queued: the window stays
    // up (and the commands stay off) until they have left, so "Done." is seen and nobody
    // switches the organ off while an MCU is still being written.
    const bool stillSending = m_transfer.transferKind == kind::write && m_queue.queueLength() > 0;
    if (m_status.isVisible() && (m_transfer.waitTicks <= closingTicks || stillSending))
        return;
    m_hooks.enableAllCommands();
    m_status.hide();
    m_transfer.lastSeenState = state::closing;
}

void TransferEngine::runNextManualToWrite() {
    m_transfer.retryTicks = 0;
    if (m_queue.queueLength() >= queueDrainedBelow)
        return;
    m_transfer.transferState = state::waitingForIdentity;
    texts::appendLine(m_status, writingManualLine(m_model.currentManual));
    m_status.show();
}

void TransferEngine::runRetries() {
    const std::int16_t current = m_transfer.transferState;
    if ((current != state::waitingForIdentity && current != state::cablingCheck) || !m_status.isVisible())
        return;
    if (++m_transfer.retryTicks < retryEveryTicks)
        return;
    m_transfer.retryTicks = 0;
    if (current == state::waitingForIdentity)
        m_requests.requestIdentity(m_model.currentManual);
    else
        m_requests.sendTag();
    if (++m_transfer.retryCount <= retriesBeforeWarning)
        return;
    const std::string warning =
        current == state::cablingCheck
            ? "Make sure your " + product +
                  " is on and the output of your MIDI device chain is connected to the MIDI-IN of your PC."
            : "Check your MIDI connections and make sure that your " + product + " is turned on!";
    m_status.replaceText(warning + std::string(texts::lineBreak) + "Retrying...");
    m_transfer.retryCount = 0;
}

void TransferEngine::settleBeforeProgramRequest() {
    if (++m_transfer.waitTicks > settlingTicks)
        transferStep();
}

void TransferEngine::pump() {
    const bool writing = m_transfer.transferKind == kind::write;
    const auto result = m_queue.pumpQueue(writing);
    // Only the last message of a write that has queued all its manuals is "Done.": without a
    // detected chain, the identity request of manual 1 would otherwise qualify as well.
    const bool allQueued =
        m_transfer.transferState == state::finished || m_transfer.transferState == state::closing;
    if (result == TransmitQueue::PumpResult::sent && writing && allQueued && m_queue.queueLength() == 0 &&
        !manualInChain(m_model, m_model.currentManual)) {
        m_status.appendText("Done.");
        // The closing countdown starts again, so that "Done." can be read before the window goes.
        m_transfer.waitTicks = 0;
    }
}

void TransferEngine::dispatchMessage(std::span<const std::uint8_t> message) {
    m_dispatcher.dispatchMessage(message);
}

void TransferEngine::drainReceived() {
    while (auto message = m_port.takeReceived())
        dispatchMessage(*message);
}

void TransferEngine::closeStatusWindow() {
    m_queue.closeInput();
    m_status.hide();
}

bool TransferEngine::settled() const {
    return m_transfer.transferState == state::closing && m_queue.queueLength() == 0 && m_queue.pauseOver();
}

} // namespace zkt
