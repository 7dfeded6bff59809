#include "link/transfer_engine.h"

#include "link/protocol.h"
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

std::string manualList(const std::vector<int>& manuals) {
    std::string text;
    for (std::size_t i = 0; i < manuals.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == manuals.size() ? " and " : ", ";
        text += separator + std::to_string(manuals[i]);
    }
    return text;
}

bool contains(const std::vector<int>& manuals, int manual) {
    return std::find(manuals.begin(), manuals.end(), manual) != manuals.end();
}

// "Manual 1 was written; manual 2 may be incomplete (write it again); manual 3 was not
// written." for the manuals a write covers.
std::string writeSummary(const std::vector<int>& written, const std::vector<int>& uncertain,
                         const std::vector<int>& covered) {
    std::vector<int> notWritten;
    for (int manual : covered) {
        if (!contains(written, manual) && !contains(uncertain, manual))
            notWritten.push_back(manual);
    }
    const auto phrase = [](const std::vector<int>& manuals, const char* one, const char* several) {
        return (manuals.size() == 1 ? "manual " : "manuals ") + manualList(manuals) +
               (manuals.size() == 1 ? one : several);
    };
    std::vector<std::string> parts;
    if (!written.empty())
        parts.push_back(phrase(written, " was written", " were written"));
    if (!uncertain.empty())
        parts.push_back(phrase(uncertain, " may be incomplete (write it again)",
                               " may be incomplete (write them again)"));
    if (!notWritten.empty())
        parts.push_back(phrase(notWritten, " was not written", " were not written"));
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    return text + ".";
}
} // namespace

TransferEngine::TransferEngine(ConfigModel& model, MidiPort& port, const Clock& clock, StatusSink& status,
                               MainWindowHooks& hooks, LinkNotices notices)
    : m_model(model), m_port(port), m_status(status), m_hooks(hooks), m_notices(std::move(notices)),
      m_queue(port, clock, m_selection, m_notices), m_requests(m_queue, m_transfer, status),
      m_dispatcher(m_transfer, status, m_requests, m_notices,
                   DispatcherWork{[this]() -> ConfigModel& { return target(); },
                                  [this] { return transferStep(); },
                                  [this](std::span<const std::uint8_t> image) { manualRead(image); },
                                  [this] { completeLoad(); }}) {}

ConfigModel& TransferEngine::target() {
    return m_transfer.transferKind == kind::load ? m_loading : m_model;
}

const ConfigModel& TransferEngine::transferModel() const {
    return m_transfer.transferKind == kind::load ? m_loading : m_model;
}

void TransferEngine::begin(std::int16_t transferKind) {
    m_failure.clear();
    m_cancelled = false;
    m_confirmingWrite = false;
    m_manualsWritten.clear();
    m_manualsUnconfirmed.clear();
    m_presenceTicks = 0;
    // The kind is set before anything is queued: it decides how the messages are paced.
    m_transfer.transferKind = transferKind;
    m_hooks.setTransferRunning(true);
    m_status.setCancellable(true);
}

void TransferEngine::startLoad(LoadPurpose purpose) {
    // Only a cancel of the dialog shown now stops the load: an old cancel must not silently
    // refuse every later load of a configured port pair.
    if (!m_selection.midiConfigured()) {
        m_selection.midiSetupCancelled = m_hooks.showMidiSetup();
        if (m_selection.midiSetupCancelled) {
            m_status.hide();
            return;
        }
    }
    begin(kind::load);
    m_purpose = purpose;
    // Fields an image does not mention keep what the configuration held, as they always have.
    m_loading = purpose == LoadPurpose::edit ? m_model : ConfigModel{};
    m_chainRead = {};
    m_status.centreOverMain();
    m_status.setCaption(texts::loadingCaption());
    m_status.replaceText("Requesting " + product + " Configuration..");
    m_status.show();
    if (purpose == LoadPurpose::edit)
        m_hooks.hideManualPanels();
    m_requests.rebootMcu(protocol::allDevices);
    m_requests.sendTag();
}

void TransferEngine::startWrite(std::vector<int> manuals) {
    if (!m_selection.midiConfigured()) {
        m_selection.midiSetupCancelled = m_hooks.showMidiSetup();
        if (m_selection.midiSetupCancelled)
            return;
    }
    m_status.centreOverMain();
    m_status.setCaption(texts::writingCaption());
    m_failure.clear();
    if (!encodesEveryManual())
        return;
    begin(kind::write);
    m_transfer.manualsToWrite = std::move(manuals);
    m_model.currentManual = static_cast<std::int16_t>(manualsCovered().front());
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
            m_transfer.transferKind = kind::write;
            abandonTransfer("Nothing was sent to the " + product + ": " + overflow.what());
            return false;
        }
    }
    return true;
}

void TransferEngine::abandonTransfer(const std::string& explanation) {
    m_transfer.transferState = state::idle;
    m_queue.clear();
    m_failure = explanation;
    m_status.replaceText(explanation);
    m_status.show();
    endTransfer();
}

// What a failed or cancelled transfer leaves behind, in words.
std::string TransferEngine::progressSoFar() const {
    if (m_transfer.transferKind != kind::write)
        return "Nothing was loaded; the configuration is as it was.";
    std::vector<int> uncertain = m_manualsUnconfirmed;
    if (m_queue.startedUnit() != 0)
        uncertain.push_back(m_queue.startedUnit());
    return writeSummary(m_manualsWritten, uncertain, manualsCovered());
}

// Sent only means handed to the MIDI system: a manual counts as written once its chain was
// seen still there after its last message.
bool TransferEngine::confirmDevicesPresent() {
    const auto missing = m_queue.missingDevice();
    if (missing)
        return false;
    m_manualsWritten.insert(m_manualsWritten.end(), m_manualsUnconfirmed.begin(), m_manualsUnconfirmed.end());
    m_manualsUnconfirmed.clear();
    return true;
}

void TransferEngine::endTransfer() {
    m_status.setCancellable(false);
    m_hooks.setTransferRunning(false);
    if (m_transfer.transferKind == kind::load && m_purpose == LoadPurpose::edit) {
        // The panels were hidden for the load; what they showed is still the configuration.
        m_hooks.refreshManualPanels();
    }
}

void TransferEngine::finishFileTransfer() {
    m_transfer.transferKind = kind::file;
    m_transfer.transferState = state::finished;
}

void TransferEngine::manualRead(std::span<const std::uint8_t> image) {
    m_chainRead.images.emplace_back(image.begin(), image.end());
    m_chainRead.hardwareTypes.push_back(m_loading.hardwareType);
}

void TransferEngine::completeLoad() {
    if (m_purpose != LoadPurpose::edit)
        return;
    m_model = m_loading;
    m_hooks.refreshManualPanels();
    m_hooks.enableAllCommands();
}

// The manuals a write sends, in order: those asked for, or every manual of the configuration
// (manual 1 even when no chain has been detected yet).
std::vector<int> TransferEngine::manualsCovered() const {
    if (!m_transfer.manualsToWrite.empty())
        return m_transfer.manualsToWrite;
    std::vector<int> manuals;
    for (int manual = 1; manual <= std::clamp<int>(m_model.numberOfManuals, 1, maxManuals); ++manual)
        manuals.push_back(manual);
    return manuals;
}

void TransferEngine::cancelTransfer() {
    const std::int16_t current = m_transfer.transferState;
    if (!transferRunning() || current == state::cancellingWrite || current == state::finished ||
        current == state::closing)
        return;
    m_cancelled = true;
    if (m_transfer.transferKind == kind::write) {
        const int unit = m_queue.withdrawAllButStartedUnit();
        m_transfer.transferState = state::cancellingWrite;
        texts::appendLine(m_status, unit == 0 ? "Cancelling..."
                                              : "Cancelling: manual " + std::to_string(unit) +
                                                    " is being written to its end first...");
        m_status.setCancellable(false);
        return;
    }
    m_queue.clear();
    m_transfer.transferState = state::idle;
    texts::appendLine(m_status, "Cancelled. " + progressSoFar());
    endTransfer();
}

void TransferEngine::runCancelling() {
    if (m_queue.queueLength() > 0 || !m_queue.pauseOver())
        return;
    confirmDevicesPresent();
    m_transfer.transferState = state::idle;
    texts::appendLine(m_status, "Cancelled. " + progressSoFar());
    endTransfer();
}

bool TransferEngine::transferStep() {
    const bool load = m_transfer.transferKind == kind::load;
    m_status.setCaption(load ? texts::loadingCaption() : texts::writingCaption());
    m_status.show();
    m_transfer.programSlot = 1;
    const int slotIndex = m_transfer.programSlot - 1;
    ConfigModel& model = target();
    const int manual = model.currentManual;
    if (load) {
        m_transfer.retryTicks = 0;
        m_transfer.programRetries = 0;
        m_requests.requestProgram(manual, slotIndex);
        m_status.appendText(" ok");
        return true;
    }
    const std::vector<int> covered = manualsCovered();
    if (manual == covered.front())
        texts::appendLine(m_status, writingManualLine(manual) + " ok");
    try {
        m_requests.writeProgram(m_model, manual, slotIndex);
    } catch (const EncodeOverflow& overflow) {
        abandonTransfer("Writing stopped before manual " + std::to_string(manual) + ": " + overflow.what());
        return false;
    }
    const auto next = std::find(covered.begin(), covered.end(), manual) + 1;
    m_model.currentManual = static_cast<std::int16_t>(next == covered.end() ? covered.back() + 1 : *next);
    m_transfer.transferState = next == covered.end() ? state::finished : state::nextManualToWrite;
    return true;
}

void TransferEngine::onTimerTick() {
    if (m_transfer.transferState != m_transfer.lastSeenState)
        runEntryAction();
    if (m_transfer.transferState == state::cancellingWrite)
        runCancelling();
    runRetries();
    if (m_transfer.transferState == state::identityReceived) {
        m_queue.closeInput();
        m_transfer.transferState = state::settling;
    }
    if (m_transfer.transferState == state::settling)
        settleBeforeProgramRequest();
    pump();
    checkDevicesPresent();
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
        m_requests.requestIdentity(target().currentManual);
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
    case state::cancellingWrite:
        m_transfer.lastSeenState = current;
        break;
    default:
        break;
    }
}

void TransferEngine::enterFinished() {
    m_transfer.lastSeenState = state::finished;
    m_transfer.retryTicks = 0;
    m_status.setCancellable(false);
    switch (m_transfer.transferKind) {
    case kind::load:
        if (m_purpose == LoadPurpose::edit) {
            texts::appendLine(m_status, product + " Configuration data loaded!");
            texts::appendLine(m_status, "Ready.");
        } else {
            texts::appendLine(m_status, product + " Configuration data read.");
        }
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
    // Reading for a backup or a read-back is not the end of anything the configuration knows of.
    if (m_transfer.transferKind != kind::load || m_purpose == LoadPurpose::edit)
        m_hooks.transferFinished(m_transfer.transferKind);
}

void TransferEngine::runClosing() {
    m_transfer.retryTicks = 0;
    ++m_transfer.waitTicks;
    // A write's last messages are paced 600 ms apart and may still be queued: the window stays
    // up (and the commands stay off) until they have left, so "Done." is seen and nobody
    // switches the organ off while an MCU is still being written.
    const bool stillSending = m_transfer.transferKind == kind::write && m_queue.pacedMessagesQueued();
    if (stillSending || m_confirmingWrite)
        return;
    if (m_status.isVisible() && m_transfer.waitTicks <= closingTicks)
        return;
    m_hooks.enableAllCommands();
    m_hooks.setTransferRunning(false);
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
    const bool waitingForData = current == state::waitingForFirstChunk || current == state::collectingChunks;
    if ((current != state::waitingForIdentity && current != state::cablingCheck && !waitingForData) ||
        !m_status.isVisible())
        return;
    if (++m_transfer.retryTicks < retryEveryTicks)
        return;
    m_transfer.retryTicks = 0;
    if (waitingForData) {
        repeatProgramRequest();
        return;
    }
    if (current == state::waitingForIdentity)
        m_requests.requestIdentity(target().currentManual);
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

// A chunk lost on the way (a busy MIDI server, a loose cable) would leave the load waiting
// for ever: the whole request goes out again.
void TransferEngine::repeatProgramRequest() {
    const int manual = target().currentManual;
    m_requests.sendProgramRequest(manual, m_transfer.programSlot - 1);
    if (++m_transfer.programRetries < programRetriesBeforeWarning)
        return;
    m_transfer.programRetries = 0;
    m_status.replaceText("Manual #" + std::to_string(manual) + " of your " + product +
                         " does not send its program data. Make sure it is turned on and connected." +
                         std::string(texts::lineBreak) + "Retrying...");
}

void TransferEngine::settleBeforeProgramRequest() {
    if (++m_transfer.waitTicks > settlingTicks)
        transferStep();
}

// An unplugged interface or a MIDI server client that went away: the transfer cannot go on,
// and a write must not be reported as written.
void TransferEngine::checkDevicesPresent() {
    if (!devicesNeeded() || ++m_presenceTicks < presenceCheckTicks)
        return;
    m_presenceTicks = 0;
    if (confirmDevicesPresent()) {
        m_confirmingWrite = false;
        return;
    }
    abandonTransfer("The " + *m_queue.missingDevice() +
                    " is gone (unplugged, switched off, or its program ended). " + progressSoFar());
}

void TransferEngine::pump() {
    const auto result = m_queue.pumpQueue();
    switch (result) {
    case TransmitQueue::PumpResult::openFailed:
        abandonTransfer(m_queue.lastOpenReport().failure + " " + progressSoFar());
        return;
    case TransmitQueue::PumpResult::openedPorts:
        if (!m_queue.lastOpenReport().substituted.empty())
            texts::appendLine(m_status, m_queue.lastOpenReport().substituted);
        return;
    case TransmitQueue::PumpResult::sendFailed:
        if (devicesNeeded())
            abandonTransfer("Sending to the " + product + " failed: " + m_queue.lastSendFailure() + " " +
                            progressSoFar());
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
    const bool allQueued =
        m_transfer.transferState == state::finished || m_transfer.transferState == state::closing;
    if (m_transfer.transferKind == kind::write && allQueued && !m_queue.pacedMessagesQueued()) {
        m_status.appendText("Done.");
        // Sent only means handed to the MIDI system; the chain must still be there a moment on.
        m_confirmingWrite = true;
        m_presenceTicks = 0;
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

bool TransferEngine::transferRunning() const {
    const std::int16_t kindNow = m_transfer.transferKind;
    if (kindNow != kind::load && kindNow != kind::write)
        return false;
    const std::int16_t current = m_transfer.transferState;
    if (current == state::idle)
        return false;
    if (current == state::closing)
        return m_transfer.lastSeenState != state::closing;
    return true;
}

// Until a load has read its last manual, and until a write's last message has left and the chain
// was still there a moment later.
bool TransferEngine::devicesNeeded() const {
    if (!transferRunning())
        return false;
    const std::int16_t current = m_transfer.transferState;
    if (current != state::finished && current != state::closing)
        return true;
    return m_transfer.transferKind == kind::write && (m_queue.pacedMessagesQueued() || m_confirmingWrite);
}

bool TransferEngine::settled() const {
    return m_transfer.transferState == state::closing && m_queue.queueLength() == 0 && m_queue.pauseOver() &&
           !m_confirmingWrite;
}

} // namespace zkt
