#include "app/document/config_history.h"

#include "document/document_texts.h"

#include <QAction>

namespace zkt {

ConfigHistory::ConfigHistory(EditHistory& history, QObject* parent) : QObject(parent), m_history(history) {
    m_history.observe({
        .configurationReplaced = [this] { emit configurationReplaced(); },
        .cleanChanged = [this](bool clean) { emit cleanChanged(clean); },
        .stepsChanged = [this] { emit stepsChanged(); },
    });
}

QAction* ConfigHistory::newUndoAction(QObject* parent) {
    return newStepAction(parent, "mnuUndo", documenttext::undoVerb, QKeySequence::Undo,
                         &EditHistory::undoName, &ConfigHistory::undo);
}

QAction* ConfigHistory::newRedoAction(QObject* parent) {
    return newStepAction(parent, "mnuRedo", documenttext::redoVerb, QKeySequence::Redo,
                         &EditHistory::redoName, &ConfigHistory::redo);
}

QAction* ConfigHistory::newStepAction(QObject* parent, const char* objectName, std::string (*verb)(),
                                      QKeySequence::StandardKey shortcut, StepName stepName,
                                      void (ConfigHistory::*take)()) {
    auto* action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcuts(shortcut);
    const auto follow = [this, action, verb, stepName] {
        const std::optional<std::string> step = (m_history.*stepName)();
        action->setText(
            QString::fromStdString(documenttext::stepEntry(verb(), step.value_or(std::string()))));
        action->setEnabled(step.has_value());
    };
    follow();
    connect(this, &ConfigHistory::stepsChanged, action, follow);
    connect(this, &ConfigHistory::textsChanged, action, follow);
    connect(action, &QAction::triggered, this, take);
    return action;
}

} // namespace zkt
