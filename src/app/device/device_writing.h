#pragma once
// The window's "Write Program Data to ZKT": a safe write (a backup read first, only the
// manuals that change, a read-back after) whose plan the user confirms in the write dialog.
// The questions are asked between ticks, never inside one.

#include "link/safe_write.h"

#include <QObject>
#include <QString>

class QWidget;

namespace zkt {

class WriteDialog;

class DeviceWriting : public QObject {
    Q_OBJECT
public:
    // observer: where the engine reports, which shows this write's own lines too.
    DeviceWriting(TransferEngine& engine, const ConfigModel& model, TransferObserver& observer, QWidget* owner);

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

    const ConfigModel& m_model;
    QWidget* m_owner;
    WriteDialog* m_dialog;
    SafeWrite m_write;
    WriteOptions m_options;
    SafeWrite::Phase m_seen = SafeWrite::Phase::idle;
};

} // namespace zkt
