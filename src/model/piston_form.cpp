#include "model/piston_form.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/carried_values.h"
#include "model/console_names.h"
#include "model/piston_regrouping.h"
#include "model/vocabulary.h"

#include <stdexcept>

namespace zkt {

namespace {

constexpr int larkmoorGroup = static_cast<int>(FunctionGroup::larkmoorPiston);
constexpr int bankMsbRow = 0;
constexpr int bankLsbRow = 1;
constexpr int bankProgramRow = 2;

bool isPosition(const ListItems& list, int position) {
    return position >= 0 && position < list.count();
}

// The piston's value where the list has it; else none on its own group (so that "Save" keeps
// the value), the list's first choice on another.
void selectPosition(ListItems& list, int position, bool ownGroup) {
    if (isPosition(list, position))
        list.selected = position;
    else if (ownGroup)
        list.selected = noSelection;
}

// The number lists run downwards, so a value is found counting from the end.
void selectFromEnd(ListItems& list, int value, bool ownGroup) {
    selectPosition(list, list.count() - value, ownGroup);
}

void choose(ListItems& list, int position) {
    if (isPosition(list, position))
        list.selected = position;
}

// A list without a selection leaves its field as it was.
void storePosition(const ListItems& list, std::int16_t& field) {
    if (list.selected != noSelection)
        field = static_cast<std::int16_t>(list.selected);
}

void storeFromTop(const ListItems& list, int top, std::int16_t& field) {
    if (list.selected != noSelection)
        field = static_cast<std::int16_t>(top - list.selected);
}

} // namespace

ListItems groupValueList(const FunctionGroupRule& rule) {
    switch (rule.valueInput) {
    case ValueInput::number:
        return fillNumberList(rule.valueRange.low, rule.valueRange.high, false);
    case ValueInput::note:
        return fillNoteList(rule.valueRange.low - 1, rule.valueRange.high - 1);
    case ValueInput::none:
        break;
    }
    return {};
}

std::optional<PistonPanelShape> pistonPanelShape(int group) {
    const auto rule = functionGroupRule(group);
    if (!rule)
        return std::nullopt;
    // The CASE list is always shown beside its NUM list.
    return PistonPanelShape{rule->typeListShown || rule->channel == ChannelInput::num,
                            !groupValueList(*rule).items.empty(),
                            rule->channel,
                            rule->bankRows,
                            rule->allChannelsBox,
                            translated(rule->prompt)};
}

bool PistonForm::hasPiston(int pistonIndex) {
    return pistonIndex >= 0 && pistonIndex < maxManuals * pistonsPerManual;
}

PistonForm::PistonForm(const pistonInfo& piston, int pistonIndex, std::string label)
    : m_piston(piston), m_pistonIndex(pistonIndex), m_label(std::move(label)),
      m_functions(fillListFromVocabulary(vocabulary().functionGroupNames, false)) {
    if (!hasPiston(pistonIndex))
        throw std::out_of_range("piston index " + std::to_string(pistonIndex) + " has no piston");
    chooseGroup(piston.functionGroup);
}

std::string PistonForm::location() const {
    return formatText(tr("Piston #%1 on Manual #%2"), m_pistonIndex % pistonsPerManual + 1,
                      m_pistonIndex / pistonsPerManual + 1);
}

std::string PistonForm::note() const {
    switch (m_pistonIndex % pistonsPerManual) {
    case 0:
        return tr("Usually the SET piston");
    case pistonsPerManual - 1:
        return tr("Usually the General Cancel");
    default:
        return {};
    }
}

void PistonForm::chooseGroup(int group) {
    m_refusal.clear();
    m_functions.selected = isPosition(m_functions, group) ? group : noSelection;
    loadPanel(m_functions.selected);
}

void PistonForm::loadPanel(int group) {
    m_panel = {};
    m_numListShown = -1;
    const auto rule = functionGroupRule(group);
    if (!rule)
        return;
    const bool own = group == m_piston.functionGroup;
    const pistonInfo start = startingAssignment(m_piston, group);
    const auto g = static_cast<std::size_t>(group);
    m_panel.types = fillListFromVocabulary(vocabulary().functionLists[g], false);
    // A type list the editor does not show is not set from the piston either.
    if (rule->typeListShown)
        selectPosition(m_panel.types, start.functionType, own);

    if (rule->channel == ChannelInput::num) {
        if (m_panel.types.selected != noSelection && fillNumList(m_panel.types.selected))
            selectPosition(m_panel.channels, start.midiChannel, own);
    } else {
        m_panel.channels = fillNumberList(midiChannelRange.low, midiChannelRange.high, false);
        selectFromEnd(m_panel.channels, start.midiChannel, own);
    }
    m_panel.values = groupValueList(*rule);
    selectFromEnd(m_panel.values, start.programNumber, own);

    if (rule->bankRows) {
        const std::array<bool, bankSelectRows> flags{start.bankSelMSBFlag, start.bankSelLSBFlag,
                                                     start.bankSelProgramFlag};
        // The bank lists run down to 0, so they are addressed with value + 1.
        const std::array<int, bankSelectRows> fromEnd{start.bankSelMSB + 1, start.bankSelLSB + 1,
                                                      start.programNumber};
        for (std::size_t row = 0; row < flags.size(); ++row) {
            BankSelectRow& bank = m_panel.bankRows[row];
            bank.checked = flags[row];
            bank.values = row == bankProgramRow
                              ? fillNumberList(rule->valueRange.low, rule->valueRange.high, false)
                              : fillNumberList(bankValueRange.low, bankValueRange.high, false);
            selectFromEnd(bank.values, fromEnd[row], own);
        }
    }
    if (rule->allChannelsBox)
        m_panel.allChannels = start.bankSelProgramFlag;
}

// A CASE has a NUM list when the vocabulary gives it one with entries.
bool PistonForm::fillNumList(int caseIndex) {
    const std::vector<int>& numListOfCase = vocabulary().numListMap[larkmoorGroup];
    if (caseIndex < 0 || caseIndex >= static_cast<int>(numListOfCase.size()))
        return false;
    const int numList = numListOfCase[static_cast<std::size_t>(caseIndex)];
    if (numList < 0 || numList >= numListCount ||
        vocabulary().numLists[static_cast<std::size_t>(numList)].empty())
        return false;
    if (numList != m_numListShown) {
        m_numListShown = numList;
        m_panel.channels =
            fillListFromVocabulary(vocabulary().numLists[static_cast<std::size_t>(numList)], false);
    }
    return true;
}

void PistonForm::chooseType(int position) {
    if (!isPosition(m_panel.types, position))
        return;
    m_panel.types.selected = position;
    if (m_functions.selected == larkmoorGroup && !fillNumList(position))
        m_panel.channels = {};
}

void PistonForm::chooseChannel(int position) {
    choose(m_panel.channels, position);
}

void PistonForm::chooseValue(int position) {
    choose(m_panel.values, position);
}

void PistonForm::checkBankRow(int row, bool checked) {
    if (row < 0 || row >= bankSelectRows)
        return;
    m_refusal.clear();
    m_panel.bankRows[static_cast<std::size_t>(row)].checked = checked;
}

void PistonForm::chooseBankValue(int row, int position) {
    if (row >= 0 && row < bankSelectRows)
        choose(m_panel.bankRows[static_cast<std::size_t>(row)].values, position);
}

void PistonForm::checkAllChannels(bool checked) {
    m_panel.allChannels = checked;
}

bool PistonForm::channelEnabled() const {
    const auto rule = this->rule();
    return !(rule && rule->allChannelsBox && m_panel.allChannels);
}

std::string PistonForm::labelShown() const {
    return oneLine(m_label);
}

void PistonForm::typeLabel(std::string_view shown) {
    if (!m_labelTyped && shown == labelShown())
        return;
    m_labelTyped = true;
    m_label = std::string(shown);
}

PistonSaveOutcome PistonForm::save() {
    PistonSaveOutcome outcome = saved();
    if (outcome.piston && m_labelTyped) {
        outcome.label = typedConsoleName(m_label);
        if (std::string refusal = consoleNameRefusal(outcome.label, ConsoleNameKind::label); !refusal.empty())
            outcome = {std::nullopt, {}, std::move(refusal)};
    }
    m_refusal = outcome.refusal;
    return outcome;
}

PistonSaveOutcome PistonForm::saved() const {
    pistonInfo piston = m_piston;
    const auto rule = this->rule();
    if (!rule)
        return {piston, m_label, {}}; // a group outside the vocabulary stays as it was
    const int group = m_functions.selected;
    const bool regrouped = group != m_piston.functionGroup;
    piston.functionGroup = static_cast<std::int16_t>(group);
    if (group == 0) {
        if (regrouped)
            piston.functionType = noSelection;
    } else if (rule->typeListShown || regrouped) {
        storePosition(m_panel.types, piston.functionType);
    }
    // A channel list the group never shows cannot have been changed by the user: it is stored
    // only when the piston comes from another group, which started it (startingAssignment).
    if (rule->channel == ChannelInput::num)
        storePosition(m_panel.channels, piston.midiChannel);
    else if (rule->channel == ChannelInput::midiChannel || regrouped)
        storeFromTop(m_panel.channels, midiChannelRange.high, piston.midiChannel);
    storeFromTop(m_panel.values, rule->valueRange.high, piston.programNumber);
    if (rule->bankRows) {
        const auto& rows = m_panel.bankRows;
        piston.bankSelMSBFlag = rows[bankMsbRow].checked;
        storeFromTop(rows[bankMsbRow].values, bankValueRange.high, piston.bankSelMSB);
        piston.bankSelLSBFlag = rows[bankLsbRow].checked;
        storeFromTop(rows[bankLsbRow].values, bankValueRange.high, piston.bankSelLSB);
        piston.bankSelProgramFlag = rows[bankProgramRow].checked;
        storeFromTop(rows[bankProgramRow].values, rule->valueRange.high, piston.programNumber);
    }
    if (rule->allChannelsBox)
        piston.bankSelProgramFlag = m_panel.allChannels;
    numberAsTheImageDoes(piston);
    // What the organ could not hold as shown is refused, as the desktop editor refuses it.
    if (const PistonFault fault = pistonFault(piston); fault != PistonFault::none)
        return {std::nullopt, {}, pistonFaultInWords(fault)};
    return {piston, m_label, {}};
}

} // namespace zkt
