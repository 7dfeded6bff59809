#include "app/document/recovery_keeper.h"

#include "app/document/config_history.h"
#include "app/document/document_controller.h"

namespace zkt {

RecoveryKeeper::RecoveryKeeper(const ConfigModel& model, ConfigHistory& history,
                               const DocumentController& document, RecoveryCopy copy,
                               std::function<void(const std::string&)> log, std::chrono::milliseconds delay)
    : m_model(model), m_history(history), m_document(document), m_copy(std::move(copy)),
      m_log(std::move(log)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(delay);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::keepCopy);
    connect(&history, &ConfigHistory::configurationReplaced, this, &RecoveryKeeper::configurationChanged);
    connect(&history, &ConfigHistory::cleanChanged, this, &RecoveryKeeper::cleanChanged);
}

void RecoveryKeeper::programEnding() {
    m_timer.stop();
    m_copy.remove();
}

// A step is put into the model before the history counts it, so only the timer's end asks
// whether there are changes to keep.
void RecoveryKeeper::configurationChanged() {
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::cleanChanged(bool clean) {
    if (!clean) {
        configurationChanged();
        return;
    }
    m_timer.stop();
    m_copy.remove();
}

void RecoveryKeeper::keepCopy() {
    if (m_history.isClean())
        return;
    try {
        m_copy.keep(m_model, m_document.documentPath(), m_document.documentName());
    } catch (const std::exception& error) {
        m_log(std::string("Unsaved changes not kept for recovery: ") + error.what());
    }
}

} // namespace zkt
