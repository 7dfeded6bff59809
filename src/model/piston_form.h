#pragma once
// The piston editor's inputs for one piston, with no window toolkit: what each input offers
// and holds, how choosing changes the others, and what "Save" makes of them. Front ends draw it.
//
// The inputs start from the piston for its own group, and from startingAssignment for any other
// group chosen while the editor is open. Where the piston's value has no entry in a list, its
// own group shows the list without a selection and "Save" keeps the value. Inputs a group never
// shows keep the piston's values; what the image could not carry is refused, and the refusal is
// shown until another group or a bank-select box is chosen. The piston's label is edited here too.

#include "model/config_model.h"
#include "model/function_group_rules.h"
#include "model/list_fill.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zkt {

inline constexpr int bankSelectRows = 3; // MSB, LSB, program
inline constexpr std::array<const char*, bankSelectRows> bankSelectCaptions{
    "Send Bank Select MSB (0-127)", "Send Bank Select LSB (0-127)", "Include a Program Change message?"};

struct BankSelectRow {
    bool checked = false;
    ListItems values;

    // The row's list can be chosen from exactly while its box is checked.
    bool valuesEnabled() const { return checked; }
};

// The panel of the chosen group. Lists the group does not have are empty.
struct PistonPanel {
    ListItems types;    // the function list; LARKMOOR: the CASE list
    ListItems channels; // 16 down to 1; LARKMOOR: the NUM list of the chosen CASE
    ListItems values;   // a program, tremulant value or note, highest first
    std::array<BankSelectRow, bankSelectRows> bankRows{};
    bool allChannels = false; // All Notes Off's "All", which disables the channel list
};

// What a group's panel has at all, so that a front end can build each panel once: the type
// list (LARKMOOR: the CASE list), the value list, the channel list (LARKMOOR: NUM), the bank rows
// and "All". Of a panel's lists, those a group never shows are still kept, hidden.
struct PistonPanelShape {
    bool typeShown = false;
    bool values = false;
    ChannelInput channel = ChannelInput::hidden;
    bool bankRows = false;
    bool allChannelsBox = false;
    std::string prompt;
};
// Empty for a group outside the vocabulary.
std::optional<PistonPanelShape> pistonPanelShape(int group);

// The list that sets the group's programNumber, highest first: programs, tremulant values or
// notes; empty for a group without one.
ListItems groupValueList(const FunctionGroupRule& rule);

struct PistonSaveOutcome {
    std::optional<pistonInfo> piston; // empty when the editor refuses
    std::string label;                // as typed (typedConsoleName)
    std::string refusal;              // why, in a sentence for the user
};

class PistonForm {
public:
    // The input that has the focus when the editor opens: the function list, the main choice.
    static constexpr const char* openOn = "cboFunction";

    static bool hasPiston(int pistonIndex);
    // pistonIndex 0..99 (hasPiston). Throws std::out_of_range otherwise.
    PistonForm(const pistonInfo& piston, int pistonIndex, std::string label = {});

    int pistonIndex() const { return m_pistonIndex; }

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
    // All Notes Off's channel list while "All" is unchecked; every other group's always.
    bool channelEnabled() const;

    // The label as an input shows it, on one line; what was typed replaces the label unless it
    // is what the input was given, which keeps a line break it could not show.
    std::string labelShown() const;
    void typeLabel(std::string_view shown);

    // Why the last "Save" stored nothing; empty once another group or a bank-select box is chosen.
    const std::string& refusal() const { return m_refusal; }

    void chooseGroup(int group);
    // LARKMOOR: another CASE brings its NUM list, unless it is the one shown.
    void chooseType(int position);
    void chooseChannel(int position);
    void chooseValue(int position);
    void checkBankRow(int row, bool checked);
    void chooseBankValue(int row, int position);
    void checkAllChannels(bool checked);

    // The piston and its label as "Save" stores them, or why not (carried_values.h, a label
    // that is not text); the refusal is kept for refusal().
    PistonSaveOutcome save();

private:
    void loadPanel(int group);
    bool fillNumList(int caseIndex);
    PistonSaveOutcome saved() const;

    pistonInfo m_piston;
    int m_pistonIndex;
    std::string m_label;
    bool m_labelTyped = false;
    std::string m_refusal;
    ListItems m_functions;
    PistonPanel m_panel;
    int m_numListShown = -1;
};

} // namespace zkt
