#pragma once
// Keeps the recovery copy in step with the configuration by the core's RecoverySchedule: the
// window's timer and its history's signals drive it, and the copy is made and removed here.

#include "app/document/recovery_copy.h"
#include "document/recovery_schedule.h"

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
    static constexpr std::chrono::milliseconds defaultDelay = RecoverySchedule::defaultDelay;

    // log: where a copy that could not be made is noted; the user is not interrupted for it.
    RecoveryKeeper(const ConfigModel& model, ConfigHistory& history, const DocumentController& document,
                   RecoveryCopy copy, std::function<void(const std::string&)> log,
                   std::chrono::milliseconds delay = defaultDelay);

    // The program ends normally: whatever was not saved was discarded on purpose.
    void programEnding();

private:
    void follow(RecoverySchedule::Do what);
    void keepCopy();

    const ConfigModel& m_model;
    ConfigHistory& m_history;
    const DocumentController& m_document;
    RecoveryCopy m_copy;
    std::function<void(const std::string&)> m_log;
    RecoverySchedule m_schedule;
    QTimer m_timer;
};

} // namespace zkt
