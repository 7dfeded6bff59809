#include "app/document/config_history.h"

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
    return newStepAction(parent, "mnuUndo", QStringLiteral("&Undo"), QKeySequence::Undo,
                         &EditHistory::undoName, &ConfigHistory::undo);
}

QAction* ConfigHistory::newRedoAction(QObject* parent) {
    return newStepAction(parent, "mnuRedo", QStringLiteral("&Redo"), QKeySequence::Redo,
                         &EditHistory::redoName, &ConfigHistory::redo);
}

QAction* ConfigHistory::newStepAction(QObject* parent, const char* objectName, const QString& verb,
                                      QKeySequence::StandardKey shortcut, StepName stepName,
                                      void (ConfigHistory::*take)()) {
    auto* action = new QAction(verb, parent);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcuts(shortcut);
    const auto follow = [this, action, verb, stepName] {
        const std::optional<std::string> step = (m_history.*stepName)();
        const QString name = QString::fromStdString(step.value_or(std::string()));
        // A file name may hold an ampersand, which a menu would read as a mnemonic.
        action->setText(name.isEmpty() ? verb
                                       : verb + QLatin1Char(' ') +
                                             QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setEnabled(step.has_value());
    };
    follow();
    connect(this, &ConfigHistory::stepsChanged, action, follow);
    connect(action, &QAction::triggered, this, take);
    return action;
}

} // namespace zkt
