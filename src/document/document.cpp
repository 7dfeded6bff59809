#include "document/document.h"

#include "document/document_texts.h"
#include "model/config_file.h"
#include "model/console_names.h"
#include "model/edit_step_texts.h"

#include <algorithm>

namespace zkt {

std::string fileNameOfPath(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

Document::Document(ConfigModel& model) : m_model(model), m_history(model, deviceLoadStep()) {}

int Document::manualsShown() const {
    return std::clamp<int>(m_model.numberOfManuals, 0, maxManuals);
}

bool Document::isShownPiston(int pistonIndex) const {
    return pistonIndex >= 0 && pistonIndex < manualsShown() * pistonsPerManual;
}

bool Document::isShownManual(int manualIndex) const {
    return manualIndex >= 0 && manualIndex < manualsShown();
}

std::string Document::fileName() const {
    return fileNameOfPath(m_path);
}

void Document::named(const std::string& path, const std::string& name) {
    m_path = path;
    m_name = name;
}

bool Document::hasUnsavedChanges() {
    m_history.recordOutsideChange();
    return !m_history.isClean();
}

ConfigFileCheck Document::openWith(const std::string& path, bool keepNames,
                                   const std::function<void(ConfigFileCheck&)>& read) {
    ConfigFileCheck check;
    const ConsoleNames shown = m_model.names;
    closeEditors();
    m_history.apply(
        [&] {
            read(check);
            if (keepNames)
                m_model.names = shown;
        },
        [&] { return fileOpenStep(fileNameOfPath(path)); });
    m_history.setClean();
    named(path, fileNameOfPath(path));
    return check;
}

ConfigFileCheck Document::open(std::string_view text, const std::string& path, bool keepNames) {
    return openWith(path, keepNames,
                    [&](ConfigFileCheck& check) { readConfigurationText(text, path, m_model, check); });
}

ConfigFileCheck Document::openFile(const std::string& path, bool keepNames) {
    return openWith(path, keepNames,
                    [&](ConfigFileCheck& check) { readConfigurationFile(path, m_model, check); });
}

std::string Document::textToSave() const {
    return configurationText(m_model);
}

void Document::saved(const std::string& path) {
    m_history.setClean();
    named(path, fileNameOfPath(path));
}

void Document::openRecovered(std::string_view configurationText, const std::string& path,
                             const std::string& name) {
    closeEditors();
    ConfigFileCheck ignored;
    m_history.apply(
        [&] { readConfigurationText(configurationText, documenttext::recoveredSource(), m_model, ignored); },
        [] { return std::string(documenttext::recoveredStep()); });
    named(path, name);
}

void Document::loadedFromOrgan() {
    closeEditors();
    m_history.recordOutsideChange();
    m_history.setClean();
    named({}, documenttext::loadedFromOrgan());
}

void Document::takeFromOrgan(const ConfigModel& loaded) {
    closeEditors();
    m_history.apply([&] { takeConfiguration(m_model, loaded); }, [] { return deviceLoadStep(); });
    m_model.hardwareType = loaded.hardwareType;
    m_model.firmwareVersion = loaded.firmwareVersion;
    m_history.setClean();
    named({}, documenttext::loadedFromOrgan());
}

void Document::copyPiston(int pistonIndex) {
    if (isShownPiston(pistonIndex))
        m_clipboard.copyPiston(m_model, pistonIndex);
}

void Document::pastePiston(int pistonIndex) {
    if (!isShownPiston(pistonIndex))
        return;
    m_history.apply(
        [&] { m_clipboard.pastePiston(m_model, pistonIndex); },
        [&] { return pistonPasteStep(pistonIndex, m_model.pistons[static_cast<std::size_t>(pistonIndex)]); });
}

void Document::clearPiston(int pistonIndex) {
    if (!isShownPiston(pistonIndex))
        return;
    m_history.apply([&] { m_model.pistons[static_cast<std::size_t>(pistonIndex)] = pistonInfo{}; },
                    [&] { return pistonClearStep(pistonIndex); });
}

void Document::copyManualSettings(int manualIndex) {
    if (isShownManual(manualIndex))
        m_clipboard.copyManualSettings(m_model, manualIndex);
}

void Document::pasteManualSettings(int manualIndex) {
    if (!isShownManual(manualIndex))
        return;
    m_history.apply([&] { m_clipboard.pasteManualSettings(m_model, manualIndex); },
                    [&] { return manualSettingsPasteStep(m_clipboard.copiedManualIndex(), manualIndex); });
}

void Document::copyManual(int manualIndex) {
    if (isShownManual(manualIndex))
        m_clipboard.copyManual(m_model, manualIndex);
}

void Document::pasteManual(int manualIndex) {
    if (!isShownManual(manualIndex))
        return;
    m_history.apply([&] { m_clipboard.pasteManual(m_model, manualIndex); },
                    [&] { return manualPasteStep(m_clipboard.copiedManualIndex(), manualIndex); });
}

std::optional<std::string> Document::setPistonLabel(int pistonIndex, std::string_view typed) {
    if (!isShownPiston(pistonIndex))
        return std::nullopt;
    const std::string label = typedConsoleName(typed);
    if (std::string refusal = consoleNameRefusal(label, ConsoleNameKind::label); !refusal.empty())
        return refusal;
    m_history.apply([&] { m_model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)] = label; },
                    [&] { return pistonLabelStep(pistonIndex, label); });
    return std::nullopt;
}

PistonForm* Document::openPistonEditor(int pistonIndex) {
    closeEditors();
    if (!isShownPiston(pistonIndex))
        return nullptr;
    const auto index = static_cast<std::size_t>(pistonIndex);
    m_pistonEditor.emplace(m_model.pistons[index], pistonIndex, m_model.names.pistonLabels[index]);
    return &*m_pistonEditor;
}

KeyboardForm* Document::openKeyboardEditor(int manualIndex) {
    closeEditors();
    if (!isShownManual(manualIndex))
        return nullptr;
    m_keyboardEditor.emplace(manualSettingsOf(m_model, manualIndex), manualIndex,
                             m_model.names.manualNames[static_cast<std::size_t>(manualIndex)]);
    return &*m_keyboardEditor;
}

std::optional<std::string> Document::savePistonEditor() {
    if (!m_pistonEditor)
        return std::nullopt;
    const PistonSaveOutcome outcome = m_pistonEditor->save();
    if (!outcome.piston)
        return outcome.refusal;
    const auto index = static_cast<std::size_t>(m_pistonEditor->pistonIndex());
    m_history.apply(
        [&] {
            m_model.pistons[index] = *outcome.piston;
            m_model.names.pistonLabels[index] = outcome.label;
        },
        [&] { return pistonEditStep(static_cast<int>(index), m_model.pistons[index]); });
    closeEditors();
    return std::nullopt;
}

std::optional<std::string> Document::saveKeyboardEditor() {
    if (!m_keyboardEditor)
        return std::nullopt;
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

void Document::closeEditors() {
    m_pistonEditor.reset();
    m_keyboardEditor.reset();
}

} // namespace zkt
