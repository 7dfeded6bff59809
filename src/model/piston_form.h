#pragma once
// The piston editor's inputs for one piston, with no window toolkit: what each input offers
// and holds, how choosing changes the others, and what "Save" makes of them. Front ends draw it.
//
// The inputs start from the piston for its own group, and from startingAssignment for any other
// group chosen while the editor is open. Where the piston's value has no entry in a list, its
// own group shows the list without a selection and "Save" keeps the value. Inputs a group never
// shows keep the piston's values; what the image could not carry is refused.

#include "model/config_model.h"
#include "model/function_group_rules.h"
#include "model/list_fill.h"

#include <array>
#include <optional>
#include <string>

namespace zkt {

inline constexpr int bankSelectRows = 3; // MSB, LSB, program
inline constexpr std::array<const char*, bankSelectRows> bankSelectCaptions{
    "Send Bank Select MSB (0-127)", "Send Bank Select LSB (0-127)", "Include a Program Change message?"};

struct BankSelectRow {
    bool checked = false; // the row's list is enabled exactly when checked
    ListItems values;
};

// The panel of the chosen group. Lists the group does not have are empty.
struct PistonPanel {
    ListItems types;    // the function list; LARKMOOR: the CASE list
    ListItems channels; // 16 down to 1; LARKMOOR: the NUM list of the chosen CASE
    ListItems values;   // a program, tremulant value or note, highest first
    std::array<BankSelectRow, bankSelectRows> bankRows{};
    bool allChannels = false; // All Notes Off's "All", which disables the channel list
};

// The list that sets the group's programNumber, highest first: programs, tremulant values or
// notes; empty for a group without one.
ListItems groupValueList(const FunctionGroupRule& rule);

struct PistonSaveOutcome {
    std::optional<pistonInfo> piston; // empty when the editor refuses
    std::string refusal;              // why, in a sentence for the user
};

class PistonForm {
public:
    // pistonIndex 0..99. Throws std::out_of_range otherwise.
    PistonForm(const pistonInfo& piston, int pistonIndex);

    // "Piston #6 on Manual #3".
    std::string location() const;
    // "Usually the SET piston" on the first piston of a manual, "Usually the General Cancel" on
    // the last, else empty.
    std::string note() const;

    // The group list; noSelection while the piston's group is none the vocabulary knows.
    const ListItems& functions() const { return m_functions; }
    // The rule of the chosen group; empty while none is chosen.
    std::optional<FunctionGroupRule> rule() const { return functionGroupRule(m_functions.selected); }
    const PistonPanel& panel() const { return m_panel; }

    void chooseGroup(int group);
    // LARKMOOR: another CASE brings its NUM list, unless it is the one shown.
    void chooseType(int position);
    void chooseChannel(int position);
    void chooseValue(int position);
    void checkBankRow(int row, bool checked);
    void chooseBankValue(int row, int position);
    void checkAllChannels(bool checked);

    // The piston as "Save" stores it, or why not (carried_values.h).
    PistonSaveOutcome save() const;

private:
    void loadPanel(int group);
    bool fillNumList(int caseIndex);

    pistonInfo m_piston;
    int m_pistonIndex;
    ListItems m_functions;
    PistonPanel m_panel;
    int m_numListShown = -1;
};

} // namespace zkt
