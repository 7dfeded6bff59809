#pragma once
// The window's "Write Program Data to ZKT": a safe write (a backup read first, only the
// manuals that change, a read-back after) whose plan the user confirms in the write dialog.
// The questions are asked between ticks, never inside one.

#include "link/safe_write.h"

#include <QObject>
#include <QString>
#include <filesystem>

class QWidget;

namespace zkt {

class StatusWindow;
class WriteDialog;

class DeviceWriting : public QObject {
    Q_OBJECT
public:
    DeviceWriting(TransferEngine& engine, const ConfigModel& model, StatusWindow& status, QWidget* owner,
                  std::filesystem::path backupsFolder);

    void start();
    // After every tick of the engine.
    void afterTick();

    // Kept in the settings file.
    WriteOptions& options() { return m_options; }
    const SafeWrite& safeWrite() const { return m_write; }

private:
    void askToConfirm();
    void askAfterFailedRead();
    void reportOutcome();

    QWidget* m_owner;
    WriteDialog* m_dialog;
    SafeWrite m_write;
    WriteOptions m_options;
    SafeWrite::Phase m_seen = SafeWrite::Phase::idle;
};

// Where the backups taken before writes are kept: the user's data folder, ZKTConfig/backups.
std::filesystem::path windowBackupsFolder();

} // namespace zkt
