#include "web/web_session.h"

#include "model/config_file.h"
#include "model/console_names.h"
#include "model/edit_step_texts.h"

#include <algorithm>

namespace zkt::web {

int WebSession::manualsShown() const {
    return std::clamp<int>(m_model.numberOfManuals, 0, maxManuals);
}

bool WebSession::isShownPiston(int pistonIndex) const {
    return pistonIndex >= 0 && pistonIndex < manualsShown() * pistonsPerManual;
}

bool WebSession::isShownManual(int manualIndex) const {
    return manualIndex >= 0 && manualIndex < manualsShown();
}

std::vector<std::string> WebSession::open(const std::string& fileName, std::string_view text) {
    ConfigModel opened = m_model;
    ConfigFileCheck check;
    readConfigurationText(text, fileName, opened, check);
    closeEditors();
    m_history.apply([&] { takeConfiguration(m_model, opened); }, [&] { return fileOpenStep(fileName); });
    m_history.setClean();
    m_fileName = m_documentName = fileName;
    return check.warnings;
}

std::string WebSession::save(const std::string& fileName) {
    std::string text = configurationText(m_model);
    m_history.setClean();
    m_fileName = m_documentName = fileName;
    return text;
}

void WebSession::takeFromDevice(const ConfigModel& loaded) {
    closeEditors();
    m_history.apply([&] { takeConfiguration(m_model, loaded); }, [] { return std::string(deviceLoadStep); });
    m_model.hardwareType = loaded.hardwareType;
    m_model.firmwareVersion = loaded.firmwareVersion;
    m_history.setClean();
    m_fileName.clear();
    m_documentName = "Settings from the ZKT";
}

void WebSession::writtenToDevice(const ConfigModel& written) {
    if (!sameConfiguration(m_model, written))
        return;
    m_history.setClean();
    m_fileName.clear();
    m_documentName = "Settings written to the ZKT";
}

void WebSession::copyPiston(int pistonIndex) {
    if (isShownPiston(pistonIndex))
        m_clipboard.copyPiston(m_model, pistonIndex);
}

void WebSession::pastePiston(int pistonIndex) {
    if (!isShownPiston(pistonIndex))
        return;
    m_history.apply([&] { m_clipboard.pastePiston(m_model, pistonIndex); },
                    [&] { return pistonPasteStep(pistonIndex, m_model.pistons[pistonIndex]); });
}

void WebSession::clearPiston(int pistonIndex) {
    if (!isShownPiston(pistonIndex))
        return;
    m_history.apply([&] { m_model.pistons[pistonIndex] = pistonInfo{}; },
                    [&] { return pistonClearStep(pistonIndex); });
}

void WebSession::copyManualSettings(int manualIndex) {
    if (isShownManual(manualIndex))
        m_clipboard.copyManualSettings(m_model, manualIndex);
}

void WebSession::pasteManualSettings(int manualIndex) {
    if (!isShownManual(manualIndex))
        return;
    m_history.apply([&] { m_clipboard.pasteManualSettings(m_model, manualIndex); },
                    [&] { return manualSettingsPasteStep(m_clipboard.copiedManualIndex(), manualIndex); });
}

void WebSession::copyManual(int manualIndex) {
    if (isShownManual(manualIndex))
        m_clipboard.copyManual(m_model, manualIndex);
}

void WebSession::pasteManual(int manualIndex) {
    if (!isShownManual(manualIndex))
        return;
    m_history.apply([&] { m_clipboard.pasteManual(m_model, manualIndex); },
                    [&] { return manualPasteStep(m_clipboard.copiedManualIndex(), manualIndex); });
}

std::optional<std::string> WebSession::setPistonLabel(int pistonIndex, std::string_view typed) {
    if (!isShownPiston(pistonIndex))
        return std::nullopt;
    const std::string label = typedConsoleName(typed);
    if (std::string refusal = consoleNameRefusal(label, "label"); !refusal.empty())
        return refusal;
    m_history.apply([&] { m_model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)] = label; },
                    [&] { return pistonLabelStep(pistonIndex, label); });
    return std::nullopt;
}

bool WebSession::openPistonEditor(int pistonIndex) {
    closeEditors();
    if (!isShownPiston(pistonIndex))
        return false;
    m_pistonEditor.emplace(m_model.pistons[pistonIndex], pistonIndex,
                           m_model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)]);
    return true;
}

std::optional<std::string> WebSession::savePistonEditor(std::string_view typedLabel) {
    if (!m_pistonEditor)
        return std::nullopt;
    m_pistonEditor->typeLabel(typedLabel);
    const PistonSaveOutcome outcome = m_pistonEditor->save();
    if (!outcome.piston)
        return outcome.refusal;
    const int index = m_pistonEditor->pistonIndex();
    m_history.apply(
        [&] {
            m_model.pistons[index] = *outcome.piston;
            m_model.names.pistonLabels[static_cast<std::size_t>(index)] = outcome.label;
        },
        [&] { return pistonEditStep(index, m_model.pistons[index]); });
    closeEditors();
    return std::nullopt;
}

bool WebSession::openKeyboardEditor(int manualIndex) {
    closeEditors();
    if (!isShownManual(manualIndex))
        return false;
    m_keyboardEditor.emplace(manualSettingsOf(m_model, manualIndex), manualIndex,
                             m_model.names.manualNames[static_cast<std::size_t>(manualIndex)]);
    return true;
}

std::optional<std::string> WebSession::saveKeyboardEditor(std::string_view typedName) {
    if (!m_keyboardEditor)
        return std::nullopt;
    m_keyboardEditor->typeName(typedName);
    const KeyboardForm::Saved saved = m_keyboardEditor->save();
    if (!saved.settings)
        return saved.refusal;
    const int manualIndex = m_keyboardEditor->manualIndex();
    m_history.apply(
        [&] {
            setManualSettings(m_model, manualIndex, *saved.settings);
            m_model.names.manualNames[static_cast<std::size_t>(manualIndex)] = saved.name;
        },
        [&] { return keyboardEditStep(manualIndex); });
    closeEditors();
    return std::nullopt;
}

void WebSession::closeEditors() {
    m_pistonEditor.reset();
    m_keyboardEditor.reset();
}

} // namespace zkt::web
