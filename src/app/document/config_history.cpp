#include "app/document/config_history.h"

#include <QAction>
#include <QUndoCommand>

namespace zkt {

namespace {

class ConfigStep : public QUndoCommand {
public:
    using Show = std::function<void(const ConfigModel&)>;

    ConfigStep(const QString& name, ConfigModel before, ConfigModel after, Show show)
        : QUndoCommand(name), m_before(std::move(before)), m_after(std::move(after)),
          m_show(std::move(show)) {}

    void undo() override { m_show(m_before); }
    void redo() override { m_show(m_after); }

private:
    ConfigModel m_before;
    ConfigModel m_after;
    Show m_show;
};

} // namespace

ConfigHistory::ConfigHistory(ConfigModel& model, QString outsideChangeName, QObject* parent)
    : QObject(parent), m_model(model), m_outsideChangeName(std::move(outsideChangeName)), m_recorded(model) {
    connect(&m_stack, &QUndoStack::cleanChanged, this, &ConfigHistory::cleanChanged);
}

bool ConfigHistory::apply(const std::function<void()>& change, const std::function<QString()>& describe) {
    recordOutsideChange();
    const ConfigModel before = m_model;
    change();
    if (sameConfiguration(before, m_model))
        return false;
    push(before, describe());
    return true;
}

bool ConfigHistory::recordOutsideChange() {
    if (sameConfiguration(m_recorded, m_model))
        return false;
    push(m_recorded, m_outsideChangeName);
    return true;
}

void ConfigHistory::push(const ConfigModel& before, const QString& name) {
    m_stack.push(new ConfigStep(name, before, m_model,
                                [this](const ConfigModel& configuration) { show(configuration); }));
}

void ConfigHistory::show(const ConfigModel& configuration) {
    takeConfiguration(m_model, configuration);
    m_recorded = m_model;
    emit configurationReplaced();
}

void ConfigHistory::undo() {
    // What a load did so far is the step to undo first.
    recordOutsideChange();
    m_stack.undo();
}

void ConfigHistory::redo() {
    // A load since the last undo has replaced what there was to redo.
    if (!recordOutsideChange())
        m_stack.redo();
}

void ConfigHistory::setClean() {
    m_stack.setClean();
}

QAction* ConfigHistory::newUndoAction(QObject* parent) {
    return newStepAction(parent, "mnuUndo", QStringLiteral("&Undo"), QKeySequence::Undo, &QUndoStack::canUndo,
                         &QUndoStack::undoText, &ConfigHistory::undo);
}

QAction* ConfigHistory::newRedoAction(QObject* parent) {
    return newStepAction(parent, "mnuRedo", QStringLiteral("&Redo"), QKeySequence::Redo, &QUndoStack::canRedo,
                         &QUndoStack::redoText, &ConfigHistory::redo);
}

QAction* ConfigHistory::newStepAction(QObject* parent, const char* objectName, const QString& verb,
                                      QKeySequence::StandardKey shortcut,
                                      bool (QUndoStack::*possible)() const,
                                      QString (QUndoStack::*stepName)() const,
                                      void (ConfigHistory::*take)()) {
    auto* action = new QAction(verb, parent);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcuts(shortcut);
    const auto follow = [this, action, verb, possible, stepName] {
        const QString name = (m_stack.*stepName)();
        // A file name may hold an ampersand, which a menu would read as a mnemonic.
        action->setText(name.isEmpty() ? verb
                                       : verb + QLatin1Char(' ') +
                                             QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setEnabled((m_stack.*possible)());
    };
    follow();
    connect(&m_stack, &QUndoStack::indexChanged, action, follow);
    connect(action, &QAction::triggered, this, take);
    return action;
}

} // namespace zkt
