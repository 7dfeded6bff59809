#include "model/function_group_rules.h"

#include "i18n/tr.h"

#include <array>

namespace zkt {

namespace {

using enum ChannelInput;
using enum DescriptionForm;

constexpr ValueRange noValue{0, 0};
constexpr ValueRange program{1, 128};
constexpr ValueRange tremulantValue{1, 127};
constexpr ValueRange notePlusOne{1, 128};

// By FunctionGroup code. Columns: prompt, type list shown, channel, value input,
// value range, bank rows, "All", type must be listed, type holds the decoded value,
// description, description label.
constexpr std::array<FunctionGroupRule, functionGroupCount> rules{{
    {"", false, hidden, ValueInput::none, noValue, false, false, false, true, empty, nullptr},
    {untranslated("What type of Ahlborn Coupler?"), true, midiChannel, ValueInput::none, noValue, false,
     false, true, true, onChannel, nullptr},
    {untranslated("What type of Ahlborn Tremulant?"), true, midiChannel, ValueInput::none, noValue, false,
     false, true, true, onChannel, nullptr},
    {untranslated("What type of Ahlborn Cancel?"), true, midiChannel, ValueInput::none, noValue, false, false,
     true, true, onChannel, nullptr},
    {untranslated("Which Ahlborn General?"), true, midiChannel, ValueInput::none, noValue, false, false, true,
     true, onChannel, nullptr},
    {untranslated("You have chosen an Ahlborn SET function..."), false, midiChannel, ValueInput::none,
     noValue, false, false, false, true, onChannel, nullptr},
    {untranslated("You have chosen an Ahlborn SFZ function..."), false, midiChannel, ValueInput::none,
     noValue, false, false, false, true, onChannel, nullptr},
    {untranslated("Which Program Change number?"), false, midiChannel, ValueInput::number, program, false,
     false, false, false, numbered, nullptr},
    {untranslated("What type of PLEXO function?"), true, midiChannel, ValueInput::none, noValue, false, false,
     false, true, numbered, untranslated("PLEXO function")},
    {untranslated("You have chosen to send a Bank Select message..."), false, midiChannel, ValueInput::none,
     program, true, false, false, true, onChannel, nullptr},
    {untranslated("HX-90 Tremulant value?"), false, midiChannel, ValueInput::number, tremulantValue, false,
     false, false, true, numbered, nullptr},
    {untranslated("You have chosen a HX-90 Cancel function..."), false, hidden, ValueInput::none, noValue,
     false, false, false, true, labelOnly, nullptr},
    {untranslated("Which Note number?"), false, midiChannel, ValueInput::note, notePlusOne, false, false,
     false, false, numberedSigned, nullptr},
    {untranslated("You have chosen to send a MIDI All Notes Off message..."), false, midiChannel,
     ValueInput::none, noValue, false, true, false, true, allOrOne, nullptr},
    {untranslated("LARKMOOR function?   CASE ="), true, num, ValueInput::none, noValue, false, false, false,
     true, caseAndNum, nullptr},
}};

} // namespace

std::optional<FunctionGroupRule> functionGroupRule(int group) {
    if (group < 0 || group >= functionGroupCount)
        return std::nullopt;
    return rules[static_cast<std::size_t>(group)];
}

const FunctionGroupRule& functionGroupRule(FunctionGroup group) {
    return rules[static_cast<std::size_t>(group)];
}

bool valueIsProgram(int group) {
    const auto rule = functionGroupRule(group);
    return rule && (rule->valueInput != ValueInput::none || rule->bankRows);
}

} // namespace zkt
