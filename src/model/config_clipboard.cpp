#include "model/config_clipboard.h"

namespace zkt {

namespace {

bool isPistonIndex(int pistonIndex) {
    return pistonIndex >= 0 && pistonIndex < maxManuals * pistonsPerManual;
}

bool isManualIndex(int manualIndex) {
    return manualIndex >= 0 && manualIndex < maxManuals;
}

std::size_t slotOf(int manualIndex, int channelInManual) {
    return static_cast<std::size_t>(channelSlotOf(manualIndex, channelInManual + 1));
}

std::size_t pistonOf(int manualIndex, int pistonInManual) {
    return static_cast<std::size_t>(pistonIndexOf(manualIndex, pistonInManual));
}

CopiedManual manualOf(const ConfigModel& model, int manualIndex) {
    CopiedManual copied;
    for (int k = 0; k < pistonsPerManual; ++k) {
        const auto i = static_cast<std::size_t>(k);
        copied.pistons[i] = model.pistons[pistonOf(manualIndex, k)];
        copied.labels[i] = model.names.pistonLabels[pistonOf(manualIndex, k)];
    }
    copied.name = model.names.manualNames[static_cast<std::size_t>(manualIndex)];
    return copied;
}

void setManual(ConfigModel& model, int manualIndex, const CopiedManual& copied) {
    for (int k = 0; k < pistonsPerManual; ++k) {
        const auto i = static_cast<std::size_t>(k);
        model.pistons[pistonOf(manualIndex, k)] = copied.pistons[i];
        model.names.pistonLabels[pistonOf(manualIndex, k)] = copied.labels[i];
    }
    model.names.manualNames[static_cast<std::size_t>(manualIndex)] = copied.name;
}

} // namespace

ManualSettings manualSettingsOf(const ConfigModel& model, int manualIndex) {
    ManualSettings settings;
    settings.keyboard = model.keyboards[static_cast<std::size_t>(manualIndex)];
    for (int c = 0; c < channelsPerManual; ++c) {
        const auto i = static_cast<std::size_t>(c);
        settings.channelTranspose[i] = model.channelTranspose[slotOf(manualIndex, c)];
        settings.channelVelocity[i] = model.channelVelocity[slotOf(manualIndex, c)];
        settings.shoes[i] = model.shoes[slotOf(manualIndex, c)];
    }
    return settings;
}

void setManualSettings(ConfigModel& model, int manualIndex, const ManualSettings& settings) {
    model.keyboards[static_cast<std::size_t>(manualIndex)] = settings.keyboard;
    for (int c = 0; c < channelsPerManual; ++c) {
        const auto i = static_cast<std::size_t>(c);
        model.channelTranspose[slotOf(manualIndex, c)] = settings.channelTranspose[i];
        model.channelVelocity[slotOf(manualIndex, c)] = settings.channelVelocity[i];
        model.shoes[slotOf(manualIndex, c)] = settings.shoes[i];
    }
}

void ConfigClipboard::copyPiston(const ConfigModel& model, int pistonIndex) {
    if (isPistonIndex(pistonIndex)) {
        const auto i = static_cast<std::size_t>(pistonIndex);
        m_piston = CopiedPiston{model.pistons[i], model.names.pistonLabels[i]};
    }
}

void ConfigClipboard::copyManualSettings(const ConfigModel& model, int manualIndex) {
    if (!isManualIndex(manualIndex))
        return;
    m_settings = manualSettingsOf(model, manualIndex);
    // Pistons of an earlier Copy Manual must not be pasted together with these settings.
    m_manual.reset();
    m_manualIndex = manualIndex;
}

void ConfigClipboard::copyManual(const ConfigModel& model, int manualIndex) {
    if (!isManualIndex(manualIndex))
        return;
    m_settings = manualSettingsOf(model, manualIndex);
    m_manual = manualOf(model, manualIndex);
    m_manualIndex = manualIndex;
}

void ConfigClipboard::pastePiston(ConfigModel& model, int pistonIndex) const {
    if (!m_piston || !isPistonIndex(pistonIndex))
        return;
    const auto i = static_cast<std::size_t>(pistonIndex);
    model.pistons[i] = m_piston->piston;
    model.names.pistonLabels[i] = m_piston->label;
}

void ConfigClipboard::pasteManualSettings(ConfigModel& model, int manualIndex) const {
    if (m_settings && isManualIndex(manualIndex))
        setManualSettings(model, manualIndex, *m_settings);
}

void ConfigClipboard::pasteManual(ConfigModel& model, int manualIndex) const {
    if (!m_manual || !isManualIndex(manualIndex))
        return;
    setManualSettings(model, manualIndex, *m_settings);
    setManual(model, manualIndex, *m_manual);
}

} // namespace zkt
