#pragma once
// The inputs of the keyboard settings dialog: two tab buttons, the "MIDI Channel Settings"
// page with one row per channel and the "General Settings" page. The lists are filled by drawing
// the keyboard form; the pages hold no behaviour.

#include "model/config_model.h"
#include "model/keyboard_form.h"

#include <array>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace zkt {

inline constexpr int keyboardPageCount = 2;
inline constexpr int channelSettingsPage = 0;
inline constexpr int generalSettingsPage = 1;
// cboArchiveAnalogInput(0) is the archive crescendo's input, (1) its channel.
inline constexpr int archiveInputCombo = 0;
inline constexpr int archiveChannelCombo = 1;

struct ChannelRow {
    QCheckBox* chkChannel = nullptr;
    QComboBox* cboTransposeInput = nullptr;
    QCheckBox* chkVelocity = nullptr;
    QComboBox* cboVelocity = nullptr;
    QComboBox* cboAnalogInput = nullptr;
    QComboBox* cboMidiController = nullptr;
};

struct KeyboardPages {
    std::array<QPushButton*, keyboardPageCount> tabMidiChannels{};
    // Both pages share one place, sized for the larger, so that choosing a tab does not
    // resize the dialog; only the chosen page is visible.
    QStackedWidget* pageStack = nullptr;
    std::array<QWidget*, keyboardPageCount> fraChannels{};
    std::array<ChannelRow, channelsPerManual> rows{};               // by MIDI channel - 1
    std::array<QCheckBox*, keyboardOptionBits> chkKeyboardConfig{}; // by bit of keyboardConfig
    std::array<QComboBox*, 2> cboArchiveAnalogInput{};
};

// Creates the tab buttons and both pages as children of owner and adds them to layout.
KeyboardPages buildKeyboardPages(QWidget& owner, QBoxLayout& layout);

} // namespace zkt
