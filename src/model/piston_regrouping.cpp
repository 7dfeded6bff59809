#include "model/piston_regrouping.h"

#include "model/function_group_rules.h"

namespace zkt {

namespace {

constexpr int unassigned = static_cast<int>(FunctionGroup::unassigned);
constexpr int programChange = static_cast<int>(FunctionGroup::programChange);
constexpr int bankSelect = static_cast<int>(FunctionGroup::bankSelect);
constexpr int firstListEntry = 0;
constexpr int noTypeList = -1; // Unassigned's type: its list is empty

bool sendsOnAMidiChannel(const pistonInfo& piston) {
    const auto rule = functionGroupRule(piston.functionGroup);
    return rule && piston.functionGroup != unassigned && rule->channel != ChannelInput::num &&
           midiChannelRange.contains(piston.midiChannel);
}

// A program number means the same in Program Change and in Bank Select's program change; the
// HX-90 value and the note kept in the same field are other things.
bool sendsProgram(const pistonInfo& piston) {
    return piston.functionGroup == programChange ||
           (piston.functionGroup == bankSelect && piston.bankSelProgramFlag);
}

} // namespace

pistonInfo startingAssignment(const pistonInfo& piston, int group) {
    const auto rule = functionGroupRule(group);
    if (group == piston.functionGroup || !rule)
        return piston;
    pistonInfo start = piston;
    start.functionGroup = static_cast<std::int16_t>(group);
    start.functionType = static_cast<std::int16_t>(group == unassigned ? noTypeList : firstListEntry);
    if (rule->channel == ChannelInput::num)
        start.midiChannel = static_cast<std::int16_t>(numRange.low);
    else if (!sendsOnAMidiChannel(piston))
        start.midiChannel = static_cast<std::int16_t>(midiChannelRange.low);

    const bool keepsProgram = (group == programChange || group == bankSelect) && sendsProgram(piston) &&
                              rule->valueRange.contains(piston.programNumber);
    // The number lists start at their lowest entry.
    if (valueIsProgram(group) && !keepsProgram)
        start.programNumber = static_cast<std::int16_t>(rule->valueRange.low);
    if (rule->bankRows) {
        start.bankSelMSBFlag = false;
        start.bankSelLSBFlag = false;
        start.bankSelMSB = static_cast<std::int16_t>(bankValueRange.low);
        start.bankSelLSB = static_cast<std::int16_t>(bankValueRange.low);
        start.bankSelProgramFlag = keepsProgram;
    }
    if (rule->allChannelsBox)
        start.bankSelProgramFlag = false;
    return start;
}

} // namespace zkt
