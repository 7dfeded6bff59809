#include "model/piston_description.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
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

// What a piston sends, on its channel.
std::string onChannel(const std::string& what, const pistonInfo& p) {
    // TRANSLATORS: %2 is the channel with a blank before it (" 1"), or a minus sign ("-1").
    return formatText(tr("%1 on MIDI Channel%2"), what, signedForm(p.midiChannel));
}

std::string numbered(const std::string& label, const std::string& number, const pistonInfo& p) {
    // TRANSLATORS: %2 is the number (a Note's with a blank before it); %3 the channel with a
    // blank before it (" 1"), or a minus sign ("-1").
    return formatText(tr("%1 #%2 on MIDI Channel%3"), label, number, signedForm(p.midiChannel));
}

std::string bankValues(const pistonInfo& piston) {
    std::string detail;
    const auto append = [&detail](const std::string& part) { detail += (detail.empty() ? "" : ", ") + part; };
    if (piston.bankSelMSBFlag)
        append(formatText(tr("MSB %1"), piston.bankSelMSB));
    if (piston.bankSelLSBFlag)
        append(formatText(tr("LSB %1"), piston.bankSelLSB));
    if (piston.bankSelProgramFlag)
        append(formatText(tr("program %1"), piston.programNumber));
    return detail;
}

std::string caseAndNumNames(const pistonInfo& piston) {
    const Vocabulary& words = vocabulary();
    const auto g = static_cast<std::size_t>(FunctionGroup::larkmoorPiston);
    const std::string& caseText = listEntry(words.functionLists[g], piston.functionType);
    const auto& caseToList = words.numListMap[g];
    const auto caseIndex = static_cast<std::size_t>(piston.functionType);
    if (caseText.empty() || caseIndex >= caseToList.size())
        return tr("CASE outside the list");
    const std::string& numText =
        listEntry(words.numLists[static_cast<std::size_t>(caseToList[caseIndex])], piston.midiChannel);
    if (numText.empty())
        return formatText(tr("CASE %1, NUM outside the list"), caseText);
    return formatText(tr("CASE %1, NUM %2"), caseText, numText);
}

// The stored value is the note plus one, so that the description's "# 62" is note 61.
std::string noteDetail(const pistonInfo& piston) {
    const ValueRange stored = functionGroupRule(FunctionGroup::noteOnOff).valueRange;
    if (!stored.contains(piston.programNumber))
        return tr("note outside the list");
    return formatText(tr("note %1"), noteText(piston.programNumber - 1));
}

} // namespace

std::string describePiston(const pistonInfo& p) {
    const auto rule = functionGroupRule(p.functionGroup);
    if (!rule)
        return {};
    const std::string label =
        rule->descriptionLabel != nullptr
            ? translated(rule->descriptionLabel)
            : vocabulary().functionGroupNames[static_cast<std::size_t>(p.functionGroup)];
    switch (rule->description) {
    case DescriptionForm::empty:
        return {};
    case DescriptionForm::onChannel:
        return onChannel(label, p);
    case DescriptionForm::numbered:
        return numbered(label, std::to_string(p.programNumber), p);
    case DescriptionForm::numberedSigned:
        return numbered(label, signedForm(p.programNumber), p);
    case DescriptionForm::labelOnly:
        return label;
    case DescriptionForm::allOrOne:
        return p.bankSelProgramFlag ? formatText(tr("%1 on ALL MIDI Channels"), label) : onChannel(label, p);
    case DescriptionForm::caseAndNum:
        return formatText(tr("%1 with CASE=%2 and NUM=%3"), label, p.functionType, p.midiChannel);
    }
    return {};
}

std::string pistonFunctionText(const pistonInfo& piston) {
    std::string text = describePiston(piston);
    if (!text.empty())
        return text;
    return piston.functionGroup == 0 ? vocabulary().functionGroupNames.front()
                                     : formatText(tr("function group %1"), piston.functionGroup);
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
        // TRANSLATORS: %1 is the channel with a blank before it (" 1"), or a minus sign ("-1").
        return formatText(tr("MIDI Channel%1"), signedForm(piston.midiChannel));
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
