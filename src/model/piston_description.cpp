#include "model/piston_description.h"

#include "model/function_group_rules.h"
#include "model/list_fill.h"
#include "model/vocabulary.h"

namespace zkt {

namespace {

// Non-negative numbers keep the blank where a sign would go: " 7", but "-1". (Inserted rather
// than concatenated: GCC 12 at -O3 warns of a false overlap in literal + string.)
std::string signedForm(int number) {
    std::string text = std::to_string(number);
    if (number >= 0)
        text.insert(text.begin(), ' ');
    return text;
}

std::string plainForm(int number) {
    return std::to_string(number);
}

std::string onChannel(const pistonInfo& p) {
    return " on MIDI Channel" + signedForm(p.midiChannel);
}

std::string bankValues(const pistonInfo& piston) {
    std::string detail;
    const auto append = [&detail](const std::string& part) { detail += (detail.empty() ? "" : ", ") + part; };
    if (piston.bankSelMSBFlag)
        append("MSB " + std::to_string(piston.bankSelMSB));
    if (piston.bankSelLSBFlag)
        append("LSB " + std::to_string(piston.bankSelLSB));
    if (piston.bankSelProgramFlag)
        append("program " + std::to_string(piston.programNumber));
    return detail;
}

std::string caseAndNumNames(const pistonInfo& piston) {
    const Vocabulary& words = vocabulary();
    const auto g = static_cast<std::size_t>(FunctionGroup::larkmoorPiston);
    const std::string& caseText = listEntry(words.functionLists[g], piston.functionType);
    const auto& caseToList = words.numListMap[g];
    const auto caseIndex = static_cast<std::size_t>(piston.functionType);
    if (caseText.empty() || caseIndex >= caseToList.size())
        return "CASE outside the list";
    const std::string& numText =
        listEntry(words.numLists[static_cast<std::size_t>(caseToList[caseIndex])], piston.midiChannel);
    return "CASE " + caseText + ", NUM " + (numText.empty() ? "outside the list" : numText);
}

// The stored value is the note plus one, so that the description's "# 62" is note 61.
std::string noteDetail(const pistonInfo& piston) {
    const ValueRange stored = functionGroupRule(FunctionGroup::noteOnOff).valueRange;
    if (!stored.contains(piston.programNumber))
        return "note outside the list";
    return "note " + noteText(piston.programNumber - 1);
}

} // namespace

std::string describePiston(const pistonInfo& p) {
    const auto rule = functionGroupRule(p.functionGroup);
    if (!rule)
        return {};
    const std::string label =
        rule->descriptionLabel != nullptr
            ? rule->descriptionLabel
            : vocabulary().functionGroupNames[static_cast<std::size_t>(p.functionGroup)];
    switch (rule->description) {
    case DescriptionForm::empty:
        return {};
    case DescriptionForm::onChannel:
        return label + onChannel(p);
    case DescriptionForm::numbered:
        return label + " #" + plainForm(p.programNumber) + onChannel(p);
    case DescriptionForm::numberedSigned:
        return label + " #" + signedForm(p.programNumber) + onChannel(p);
    case DescriptionForm::labelOnly:
        return label;
    case DescriptionForm::allOrOne:
        return p.bankSelProgramFlag ? label + " on ALL MIDI Channels" : label + onChannel(p);
    case DescriptionForm::caseAndNum:
        return label + " with CASE=" + plainForm(p.functionType) + " and NUM=" + plainForm(p.midiChannel);
    }
    return {};
}

std::string pistonFunctionText(const pistonInfo& piston) {
    std::string text = describePiston(piston);
    if (!text.empty())
        return text;
    return piston.functionGroup == 0 ? "Unassigned"
                                     : "function group " + std::to_string(piston.functionGroup);
}

std::string describePistonDetail(const pistonInfo& piston) {
    const auto rule = functionGroupRule(piston.functionGroup);
    if (!rule)
        return {};
    if (rule->bankRows)
        return bankValues(piston);
    if (rule->valueInput == ValueInput::note)
        return noteDetail(piston);
    // HX-90 Cancel's line has no channel, but the organ sends it on one.
    if (rule->description == DescriptionForm::labelOnly)
        return "MIDI Channel" + signedForm(piston.midiChannel);
    if (!rule->typeListShown)
        return {};
    if (rule->channel == ChannelInput::num)
        return caseAndNumNames(piston);
    return listEntry(vocabulary().functionLists[static_cast<std::size_t>(piston.functionGroup)],
                     piston.functionType);
}

std::string pistonFunctionWithDetail(const pistonInfo& piston) {
    const std::string detail = describePistonDetail(piston);
    return pistonFunctionText(piston) + (detail.empty() ? "" : " (" + detail + ")");
}

} // namespace zkt
