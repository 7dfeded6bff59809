#pragma once
// What each function group asks of the user and keeps in a piston record: its inputs, which
// field holds its value, and the ranges that value may take. The piston editor shows what a
// rule names, the JSON import checks its ranges, the encoder names its fields in errors, and
// the description and reports word a piston by it.

#include "model/config_model.h"

#include <cstdint>
#include <optional>

namespace zkt {

// Where the piston's channel comes from.
enum class ChannelInput : std::uint8_t {
    hidden,      // a channel list the group keeps but never shows (Unassigned, HX-90 Cancel)
    midiChannel, // the MIDI channel list, 1..16
    num,         // the LARKMOOR NUM list of the chosen CASE, stored in midiChannel
};

// The descending list that sets programNumber.
enum class ValueInput : std::uint8_t {
    none,
    number, // the numbers valueRange.high down to valueRange.low
    note,   // the notes 127 down to 0, stored as note + 1
};

// How describePiston words the group.
enum class DescriptionForm : std::uint8_t {
    empty,          // Unassigned
    onChannel,      // label + " on MIDI Channel" + channel
    numbered,       // label + " #" + programNumber + " on MIDI Channel" + channel
    numberedSigned, // the same with the number in its signed form (" 61")
    labelOnly,      // label
    allOrOne,       // "on ALL MIDI Channels" when bankSelProgramFlag, else on its channel
    caseAndNum,     // label + " with CASE=" + functionType + " and NUM=" + midiChannel
};

struct ValueRange {
    int low;
    int high;
    bool contains(int value) const { return value >= low && value <= high; }
};

inline constexpr ValueRange midiChannelRange{1, 16};
inline constexpr ValueRange numRange{0, 15};
inline constexpr ValueRange bankValueRange{0, 127};

struct FunctionGroupRule {
    const char* prompt; // the editor panel's question
    // The user picks functionType from the group's function list (for LARKMOOR: the CASE).
    bool typeListShown;
    ChannelInput channel;
    ValueInput valueInput;
    ValueRange valueRange; // programNumber, where valueInput is not none
    bool bankRows;         // Bank Select's MSB, LSB and program rows
    bool allChannelsBox;   // All Notes Off's "All"
    // The function list's positions are the only types that come back from an image as
    // this group; the JSON import refuses the others.
    bool typeMustBeListed;
    // The decoder's value goes to functionType as well as to programNumber.
    bool typeHoldsDecodedValue;
    DescriptionForm description;
    const char* descriptionLabel; // null: the group's name
};

// The rule of a group 0..14; empty for any other number.
std::optional<FunctionGroupRule> functionGroupRule(int group);
const FunctionGroupRule& functionGroupRule(FunctionGroup group);

// Whether the group's value is in programNumber (a program, tremulant value or note) rather
// than in functionType.
bool valueIsProgram(int group);

} // namespace zkt
