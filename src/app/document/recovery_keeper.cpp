#include "app/document/recovery_keeper.h"

#include "app/document/config_history.h"
#include "app/document/document_controller.h"
#include "document/document_texts.h"

namespace zkt {

RecoveryKeeper::RecoveryKeeper(const ConfigModel& model, ConfigHistory& history,
                               const DocumentController& document, RecoveryCopy copy,
                               std::function<void(const std::string&)> log, std::chrono::milliseconds delay)
    : m_model(model), m_history(history), m_document(document), m_copy(std::move(copy)),
      m_log(std::move(log)), m_schedule(delay) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(m_schedule.delay());
    connect(&m_timer, &QTimer::timeout, this, [this] { follow(m_schedule.timerEnded(m_history.isClean())); });
    connect(&history, &ConfigHistory::configurationReplaced, this,
            [this] { follow(m_schedule.configurationChanged()); });
    connect(&history, &ConfigHistory::cleanChanged, this,
            [this](bool clean) { follow(m_schedule.cleanChanged(clean)); });
}

void RecoveryKeeper::programEnding() {
    follow(m_schedule.changesDiscarded());
}

void RecoveryKeeper::follow(RecoverySchedule::Do what) {
    switch (what) {
    case RecoverySchedule::Do::nothing:
        break;
    case RecoverySchedule::Do::startTimer:
        m_timer.start();
        break;
    case RecoverySchedule::Do::keepCopy:
        keepCopy();
        break;
    case RecoverySchedule::Do::removeCopy:
        m_timer.stop();
        m_copy.remove();
        break;
    }
}

void RecoveryKeeper::keepCopy() {
    try {
        m_copy.keep(m_model, m_document.documentPath(), m_document.documentName());
    } catch (const std::exception& error) {
        m_log(documenttext::copyNotKeptText(error.what()));
    }
}

} // namespace zkt
