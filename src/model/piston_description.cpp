#include "model/piston_description.h"

#include "model/vocabulary.h"

namespace zkt {

namespace {

// Non-negative numbers keep the blank where a sign would go: " 7", but "-1".
std::string signedForm(int number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

std::string plainForm(int number) {
    return std::to_string(number);
}

std::string onChannel(const pistonInfo& p) {
    return " on MIDI Channel" + signedForm(p.midiChannel);
}

std::string numbered(const std::string& label, const std::string& number, const pistonInfo& p) {
    return label + " #" + number + onChannel(p);
}

} // namespace

std::string describePiston(const pistonInfo& p) {
    const auto group = static_cast<FunctionGroup>(p.functionGroup);
    if (p.functionGroup <= 0 || p.functionGroup >= functionGroupCount) {
        return {};
    }
    const std::string& label = vocabulary().functionGroupNames[static_cast<std::size_t>(p.functionGroup)];
    switch (group) {
    case FunctionGroup::programChange:
    case FunctionGroup::hx90Tremulant:
        return numbered(label, plainForm(p.programNumber), p);
    case FunctionGroup::plexoFunction:
        return numbered("PLEXO function", plainForm(p.programNumber), p);
    case FunctionGroup::noteOnOff:
        return numbered(label, signedForm(p.programNumber), p);
    case FunctionGroup::hx90Cancel:
        return label;
    case FunctionGroup::allNotesOff:
        return p.bankSelProgramFlag ? label + " on ALL MIDI Channels" : label + onChannel(p);
    case FunctionGroup::larkmoorPiston:
        return label + " with CASE=" + plainForm(p.functionType) + " and NUM=" + plainForm(p.midiChannel);
    default:
        return label + onChannel(p);
    }
}

} // namespace zkt
