#pragma once
// Keeps the recovery copy in step with the configuration: renewed at most a delay after a
// change while the configuration is modified, removed as soon as it is not (saved, opened,
// loaded from the ZKT) and at a normal end, once the changes have been saved or discarded.

#include "app/document/recovery_copy.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>

namespace zkt {

class ConfigHistory;
class DocumentController;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultDelay{2000};

    // log: where a copy that could not be made is noted; the user is not interrupted for it.
    RecoveryKeeper(const ConfigModel& model, ConfigHistory& history, const DocumentController& document,
                   RecoveryCopy copy, std::function<void(const std::string&)> log,
                   std::chrono::milliseconds delay = defaultDelay);

    // The program ends normally: whatever was not saved was discarded on purpose.
    void programEnding();

private:
    void configurationChanged();
    void cleanChanged(bool clean);
    void keepCopy();

    const ConfigModel& m_model;
    ConfigHistory& m_history;
    const DocumentController& m_document;
    RecoveryCopy m_copy;
    std::function<void(const std::string&)> m_log;
    // Not restarted by later changes: a long run of edits is still kept every delay.
    QTimer m_timer;
};

} // namespace zkt
