#pragma once
// The window's "Write Program Data to ZKT": a safe write (a backup read first, only the
// manuals that change, a read-back after) whose plan the user confirms in the write dialog.
// The questions are asked between ticks, never inside one.

#include "link/organ_session.h"

#include <QObject>
#include <QString>

class QWidget;

namespace zkt {

class WriteDialog;

class DeviceWriting : public QObject {
    Q_OBJECT
public:
    // Follows the session's safe write: its phases come from the session.
    DeviceWriting(OrganSession& organ, const ConfigModel& model, QWidget* owner);

    void start();

    // Kept in the settings file.
    WriteOptions& options() { return m_options; }
    const SafeWrite& safeWrite() const { return m_organ.write(); }

private:
    void phaseReached(SafeWrite::Phase phase);
    void askToConfirm();
    void askAfterFailedRead();
    void reportOutcome();

    OrganSession& m_organ;
    const ConfigModel& m_model;
    QWidget* m_owner;
    WriteDialog* m_dialog;
    WriteOptions m_options;
};

} // namespace zkt
