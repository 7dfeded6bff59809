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

ManualPistons pistonsOf(const ConfigModel& model, int manualIndex) {
    ManualPistons pistons;
    for (int k = 0; k < pistonsPerManual; ++k)
        pistons[static_cast<std::size_t>(k)] = model.pistons[pistonOf(manualIndex, k)];
    return pistons;
}

void setPistons(ConfigModel& model, int manualIndex, const ManualPistons& pistons) {
    for (int k = 0; k < pistonsPerManual; ++k)
        model.pistons[pistonOf(manualIndex, k)] = pistons[static_cast<std::size_t>(k)];
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
    if (isPistonIndex(pistonIndex))
        m_piston = model.pistons[static_cast<std::size_t>(pistonIndex)];
}

void ConfigClipboard::copyManualSettings(const ConfigModel& model, int manualIndex) {
    if (!isManualIndex(manualIndex))
        return;
    m_settings = manualSettingsOf(model, manualIndex);
    // Pistons of an earlier Copy Manual must not be pasted together with these settings.
    m_pistons.reset();
    m_manualIndex = manualIndex;
}

void ConfigClipboard::copyManual(const ConfigModel& model, int manualIndex) {
    if (!isManualIndex(manualIndex))
        return;
    m_settings = manualSettingsOf(model, manualIndex);
    m_pistons = pistonsOf(model, manualIndex);
    m_manualIndex = manualIndex;
}

void ConfigClipboard::pastePiston(ConfigModel& model, int pistonIndex) const {
    if (m_piston && isPistonIndex(pistonIndex))
        model.pistons[static_cast<std::size_t>(pistonIndex)] = *m_piston;
}

void ConfigClipboard::pasteManualSettings(ConfigModel& model, int manualIndex) const {
    if (m_settings && isManualIndex(manualIndex))
        setManualSettings(model, manualIndex, *m_settings);
}

void ConfigClipboard::pasteManual(ConfigModel& model, int manualIndex) const {
    if (!m_pistons || !isManualIndex(manualIndex))
        return;
    setManualSettings(model, manualIndex, *m_settings);
    setPistons(model, manualIndex, *m_pistons);
}

} // namespace zkt
