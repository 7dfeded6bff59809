#pragma once
// The undo history of the configuration. Each step holds the whole configuration before and
// after it, so undo and redo put back exactly what was there, numberOfManuals included. The
// history's clean state is the configuration last opened, saved, loaded from or written to
// the ZKT; the window's modified marker follows it.

#include "model/config_model.h"

#include <QKeySequence>
#include <QObject>
#include <QUndoStack>
#include <functional>

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
    // anything changed. An exception from change passes through, recording nothing.
    bool apply(const std::function<void()>& change, const std::function<QString()>& describe);
    // Makes a change made behind the history's back one step; false when there was none.
    bool recordOutsideChange();
    void undo();
    void redo();

    void setClean();
    bool isClean() const { return m_stack.isClean(); }

    // The Edit menu's entries: "Undo " or "Redo " and the step's name, enabled while there is
    // a step to take, with the platform's standard shortcuts.
    QAction* newUndoAction(QObject* parent);
    QAction* newRedoAction(QObject* parent);

signals:
    // A step has put its configuration into the model (undo, redo, or a step just recorded).
    void configurationReplaced();
    void cleanChanged(bool clean);

private:
    void push(const ConfigModel& before, const QString& name);
    void show(const ConfigModel& configuration);
    QAction* newStepAction(QObject* parent, const char* objectName, const QString& verb,
                           QKeySequence::StandardKey shortcut, bool (QUndoStack::*possible)() const,
                           QString (QUndoStack::*stepName)() const, void (ConfigHistory::*take)());

    ConfigModel& m_model;
    QString m_outsideChangeName;
    ConfigModel m_recorded; // the configuration as the history last left it
    QUndoStack m_stack;
};

} // namespace zkt
