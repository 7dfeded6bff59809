#pragma once
// The inputs of the piston editor: the function group list and one panel per group with its
// prompt and lists, each built as the group's shape says. The lists are filled by drawing the
// piston form; the panels hold no behaviour.

#include "model/config_model.h"
#include "model/piston_form.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QWidget;

namespace zkt {

struct PistonPanels {
    QComboBox* cboFunction = nullptr;
    // Indexed by function group. Lists a group does not have stay null: cboType for group 0,
    // cboProgramChange outside groups 7, 10 and 12. cboMidiChannel of group 14 is the NUM list.
    std::array<QWidget*, functionGroupCount> fraFunction{};
    std::array<QComboBox*, functionGroupCount> cboType{};
    std::array<QComboBox*, functionGroupCount> cboMidiChannel{};
    std::array<QComboBox*, functionGroupCount> cboProgramChange{};
    std::array<QCheckBox*, bankSelectRows> chkBankSel{};
    std::array<QComboBox*, bankSelectRows> cboBankSel{};
    QCheckBox* chkAllChannels = nullptr; // group 13: "All"
};

// Creates the group list and the 15 panels (all hidden) as children of owner; the panels
// share one cell of panelArea, so that showing one puts it where every panel goes.
PistonPanels buildPistonPanels(QWidget& owner, QGridLayout& panelArea);

} // namespace zkt
