#include "web/page_recovery.h"

#include "document/document_texts.h"
#include "document/recovery_copy_text.h"
#include "model/config_file_error.h"

#include <exception>
#include <utility>

namespace zkt::web {

using Do = RecoverySchedule::Do;
using Kind = RecoveryWork::Kind;

PageRecovery::PageRecovery(Document& document) : m_document(document) {
    m_document.history().observe({
        .configurationReplaced = [this] { follow(m_schedule.configurationChanged()); },
        .cleanChanged = [this](bool clean) { follow(m_schedule.cleanChanged(clean)); },
        .stepsChanged = {},
    });
}

std::vector<RecoveryWork> PageRecovery::takeWork() {
    return std::exchange(m_work, {});
}

void PageRecovery::timerEnded(Clock::time_point now) {
    follow(m_schedule.timerEnded(m_document.history().isClean()), now);
}

void PageRecovery::leaving(Clock::time_point now) {
    if (!m_schedule.timerRunning())
        return;
    m_work.push_back({Kind::stopTimer, {}});
    timerEnded(now);
}

void PageRecovery::changesDiscarded() {
    follow(m_schedule.changesDiscarded());
}

void PageRecovery::recover(std::string_view copyText) {
    const std::optional<RecoveredChanges> changes = readRecoveryCopy(copyText);
    if (!changes)
        throw ConfigFileError(documenttext::recoveredSource(), 0, "they are not a copy of a configuration");
    m_document.openRecovered(changes->configurationText, changes->documentPath, changes->documentName);
}

void PageRecovery::follow(Do what, Clock::time_point now) {
    switch (what) {
    case Do::nothing:
        break;
    case Do::startTimer:
        m_work.push_back({Kind::startTimer, {}});
        break;
    case Do::keepCopy:
        try {
            m_work.push_back({Kind::keep, recoveryCopyText(m_document.model(), m_document.path(),
                                                           m_document.name(), now)});
        } catch (const std::exception& error) {
            m_work.push_back({Kind::notKept, documenttext::copyNotKeptText(error.what())});
        }
        break;
    case Do::removeCopy:
        m_work.push_back({Kind::remove, {}});
        break;
    }
}

} // namespace zkt::web
