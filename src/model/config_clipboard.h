#pragma once
// What Copy keeps for Paste: one piston with its label, or one manual's settings with or
// without its 20 pistons; a whole manual carries its name and its pistons' labels too. A paste
// writes the copied records exactly, whatever manual they came from, so a value no list of the
// editors offers travels unchanged as well.

#include "model/config_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zkt {

// Everything of a manual that is not a piston: its keyboard record and its 16 channel slots.
struct ManualSettings {
    keyboardInfo keyboard;
    std::array<std::uint8_t, channelsPerManual> channelTranspose{};
    std::array<std::uint8_t, channelsPerManual> channelVelocity{};
    std::array<shoeInfo, channelsPerManual> shoes{};

    bool operator==(const ManualSettings&) const = default;
};

// manualIndex 0..4.
ManualSettings manualSettingsOf(const ConfigModel& model, int manualIndex);
void setManualSettings(ConfigModel& model, int manualIndex, const ManualSettings& settings);

struct CopiedPiston {
    pistonInfo piston;
    std::string label;
};

struct CopiedManual {
    std::array<pistonInfo, pistonsPerManual> pistons{};
    std::array<std::string, pistonsPerManual> labels;
    std::string name;
};

class ConfigClipboard {
public:
    // Indices outside the model (pistonIndex 0..99, manualIndex 0..4) copy and paste nothing.
    void copyPiston(const ConfigModel& model, int pistonIndex);
    void copyManualSettings(const ConfigModel& model, int manualIndex);
    void copyManual(const ConfigModel& model, int manualIndex);

    bool holdsPiston() const { return m_piston.has_value(); }
    // A copied whole manual offers its settings too.
    bool holdsManualSettings() const { return m_settings.has_value(); }
    bool holdsManual() const { return m_manual.has_value(); }
    // The manual the held settings came from.
    int copiedManualIndex() const { return m_manualIndex; }

    // Each writes what it holds of its kind; holding nothing of it, it changes nothing.
    void pastePiston(ConfigModel& model, int pistonIndex) const;
    void pasteManualSettings(ConfigModel& model, int manualIndex) const;
    void pasteManual(ConfigModel& model, int manualIndex) const;

private:
    std::optional<CopiedPiston> m_piston;
    std::optional<ManualSettings> m_settings;
    std::optional<CopiedManual> m_manual;
    int m_manualIndex = 0;
};

} // namespace zkt
