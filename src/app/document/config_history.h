#pragma once
// The window's view of the configuration's undo history: the history itself is the core's
// EditHistory, told here as Qt signals and as the Edit menu's Undo and Redo entries. The clean
// state, which the window's modified marker follows, is the configuration last opened, saved or
// loaded from the ZKT.

#include "document/edit_history.h"
#include "model/config_model.h"

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QAction;

namespace zkt {

class ConfigHistory : public QObject {
    Q_OBJECT
public:
    // outsideChangeName names a change the history did not make itself: a load from the ZKT,
    // which the transfer timer lands manual by manual.
    ConfigHistory(ConfigModel& model, QString outsideChangeName, QObject* parent = nullptr);

    // Runs change and makes what it did to the configuration one step, named by describe,
    // which is asked afterwards so that it can say what a piston does now. Returns whether
    // anything changed. An exception from change passes through, the configuration put back
    // as it was.
    bool apply(const std::function<void()>& change, const std::function<QString()>& describe);
    // Makes a change made behind the history's back one step; false when there was none.
    bool recordOutsideChange() { return m_history.recordOutsideChange(); }
    void undo() { m_history.undo(); }
    void redo() { m_history.redo(); }

    void setClean() { m_history.setClean(); }
    bool isClean() const { return m_history.isClean(); }

    // The Edit menu's entries: "Undo " or "Redo " and the step's name, enabled while there is
    // a step to take, with the platform's standard shortcuts.
    QAction* newUndoAction(QObject* parent);
    QAction* newRedoAction(QObject* parent);

signals:
    // A step has put its configuration into the model (undo, redo, or a step just recorded).
    void configurationReplaced();
    void cleanChanged(bool clean);
    // What undo or redo would take has changed.
    void stepsChanged();

private:
    using StepName = std::optional<std::string> (EditHistory::*)() const;
    QAction* newStepAction(QObject* parent, const char* objectName, const QString& verb,
                           QKeySequence::StandardKey shortcut, StepName stepName,
                           void (ConfigHistory::*take)());

    EditHistory m_history;
};

} // namespace zkt
