#pragma once
// The window's view of the configuration's undo history: the history itself is the core's
// EditHistory, told here as Qt signals and as the Edit menu's Undo and Redo entries. The clean
// state, which the window's modified marker follows, is the configuration last opened, saved or
// loaded from the ZKT.

#include "document/edit_history.h"

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <optional>
#include <string>

class QAction;

namespace zkt {

class ConfigHistory : public QObject {
    Q_OBJECT
public:
    // history: the document's; this takes its observer.
    explicit ConfigHistory(EditHistory& history, QObject* parent = nullptr);

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
    // The entries' texts again, in the language now chosen.
    void retranslate() { emit textsChanged(); }

signals:
    // A step has put its configuration into the model (undo, redo, or a step just recorded).
    void configurationReplaced();
    void cleanChanged(bool clean);
    // What undo or redo would take has changed.
    void stepsChanged();
    // The language has changed.
    void textsChanged();

private:
    using StepName = std::optional<std::string> (EditHistory::*)() const;
    QAction* newStepAction(QObject* parent, const char* objectName, std::string (*verb)(),
                           QKeySequence::StandardKey shortcut, StepName stepName,
                           void (ConfigHistory::*take)());

    EditHistory& m_history;
};

} // namespace zkt
