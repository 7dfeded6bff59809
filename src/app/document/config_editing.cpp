#include "app/document/config_editing.h"

#include "app/document/config_history.h"
#include "app/mainwindow/main_window.h"
#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_overview.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "model/console_names.h"
#include "model/edit_step_texts.h"

namespace zkt {

namespace {

QString stepName(const std::string& name) {
    return QString::fromStdString(name);
}

} // namespace

ConfigEditing::ConfigEditing(ConfigModel& model, ConfigHistory& history, MainWindow& window)
    : QObject(&window), m_model(model), m_history(history), m_window(window) {
    connect(&window, &MainWindow::pistonClicked, this, &ConfigEditing::editPiston);
    connect(&window, &MainWindow::keyboardClicked, this, &ConfigEditing::editKeyboard);
    connect(&window, &MainWindow::pistonCommandChosen, this, &ConfigEditing::runPistonCommand);
    connect(&window, &MainWindow::manualCommandChosen, this, &ConfigEditing::runManualCommand);
    connect(&window.pistonOverview().rows(), &PistonOverviewModel::labelEdited, this,
            &ConfigEditing::setPistonLabel);
}

void ConfigEditing::editPiston(int pistonIndex) {
    if (m_pistonEditor == nullptr) {
        m_pistonEditor = new PistonEditor(
            m_model, [this](int saved) { m_window.updatePistonButton(saved); }, &m_window);
        m_pistonEditor->setManualRowLocator([this](int manualIndex) {
            const QWidget* panel = m_window.panel(manualIndex);
            return QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size());
        });
    }
    m_history.apply([&] { m_pistonEditor->editPiston(pistonIndex); },
                    [&] {
                        return stepName(pistonEditStep(
                            pistonIndex, m_model.pistons.at(static_cast<std::size_t>(pistonIndex))));
                    });
}

void ConfigEditing::editKeyboard(int manualIndex) {
    if (m_keyboardEditor == nullptr)
        m_keyboardEditor = new KeyboardEditor(m_model, &m_window);
    m_history.apply([&] { m_keyboardEditor->editKeyboard(manualIndex); },
                    [&] { return stepName(keyboardEditStep(manualIndex)); });
}

void ConfigEditing::setPistonLabel(int pistonIndex, const QString& label) {
    const std::string text = typedConsoleName(label.toStdString());
    m_history.apply([&] { m_model.names.pistonLabels.at(static_cast<std::size_t>(pistonIndex)) = text; },
                    [&] { return stepName(pistonLabelStep(pistonIndex, text)); });
}

void ConfigEditing::runPistonCommand(PistonCommand command, int pistonIndex) {
    switch (command) {
    case PistonCommand::copy:
        m_clipboard.copyPiston(m_model, pistonIndex);
        offerPaste();
        break;
    case PistonCommand::paste:
        m_history.apply([&] { m_clipboard.pastePiston(m_model, pistonIndex); },
                        [&] {
                            return stepName(pistonPasteStep(
                                pistonIndex, m_model.pistons.at(static_cast<std::size_t>(pistonIndex))));
                        });
        break;
    case PistonCommand::clear:
        m_history.apply([&] { m_model.pistons.at(static_cast<std::size_t>(pistonIndex)) = pistonInfo{}; },
                        [&] { return stepName(pistonClearStep(pistonIndex)); });
        break;
    }
}

void ConfigEditing::runManualCommand(ManualCommand command, int manualIndex) {
    switch (command) {
    case ManualCommand::copySettings:
    case ManualCommand::copyManual:
        copyManual(manualIndex, command == ManualCommand::copyManual);
        break;
    case ManualCommand::pasteSettings:
    case ManualCommand::pasteManual:
        pasteManual(manualIndex, command == ManualCommand::pasteManual);
        break;
    }
}

void ConfigEditing::copyManual(int manualIndex, bool withPistons) {
    if (withPistons)
        m_clipboard.copyManual(m_model, manualIndex);
    else
        m_clipboard.copyManualSettings(m_model, manualIndex);
    offerPaste();
}

void ConfigEditing::pasteManual(int manualIndex, bool withPistons) {
    const int from = m_clipboard.copiedManualIndex();
    const QString step = stepName(withPistons ? manualPasteStep(from, manualIndex)
                                              : manualSettingsPasteStep(from, manualIndex));
    m_history.apply(
        [&] {
            if (withPistons)
                m_clipboard.pasteManual(m_model, manualIndex);
            else
                m_clipboard.pasteManualSettings(m_model, manualIndex);
        },
        [&] { return step; });
}

void ConfigEditing::offerPaste() {
    m_window.setPasteAvailable(m_clipboard.holdsPiston(), m_clipboard.holdsManualSettings(),
                               m_clipboard.holdsManual());
}

} // namespace zkt
