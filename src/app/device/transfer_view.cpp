#include "app/device/transfer_view.h"

#include "app/device/status_window.h"
#include "app/mainwindow/main_window.h"

namespace zkt {

namespace {

bool editsTheConfiguration(const TransferOutcome& outcome) {
    return outcome.kind == TransferKind::load && outcome.purpose == LoadPurpose::edit;
}

} // namespace

TransferView::TransferView(MainWindow& main, StatusWindow& status, std::function<bool()> runMidiSetup)
    : m_main(main), m_status(status), m_runMidiSetup(std::move(runMidiSetup)) {}

void TransferView::transferStarted(TransferKind kind, LoadPurpose purpose) {
    m_status.centreOverMain();
    m_status.show();
    // The panels come back when the load has ended, whole or not.
    if (kind == TransferKind::load && purpose == LoadPurpose::edit)
        m_main.hideManualPanels();
    m_main.setTransferRunning(true);
}

void TransferView::captionChanged(const std::string& caption) {
    m_status.setCaption(caption);
}

void TransferView::statusReplaced(const std::string& text) {
    m_status.replaceText(text);
}

void TransferView::statusLineAdded(const std::string& line) {
    m_status.addLine(line);
}

void TransferView::statusAppended(const std::string& piece) {
    m_status.appendText(piece);
}

void TransferView::cancellableChanged(bool cancellable) {
    m_status.setCancellable(cancellable);
}

// The setup's Cancel puts the status window away itself; the engine sees no ports and stops.
void TransferView::portChoiceNeeded(TransferKind) {
    m_runMidiSetup();
}

void TransferView::retriesResumed() {
    m_status.show();
}

void TransferView::transferFinished(const TransferOutcome& outcome) {
    const bool succeeded = outcome.result == TransferOutcome::Result::succeeded;
    if (editsTheConfiguration(outcome)) {
        m_main.refreshManualPanels();
        if (succeeded)
            m_main.enableAllCommands();
    }
    if (outcome.result == TransferOutcome::Result::failed)
        m_status.show(); // why it stopped stays to be read
    if (!succeeded)
        m_main.setTransferRunning(false);
    emit finished(outcome);
}

void TransferView::closingDone() {
    m_main.enableAllCommands();
    m_main.setTransferRunning(false);
    if (!m_status.heldOpen())
        m_status.hide();
}

} // namespace zkt
