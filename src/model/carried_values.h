#pragma once
// Values the editors and the JSON form can hold but a program image cannot carry as they are
// shown: written to the organ and read back they would mean something else. They are refused
// where they are entered, so that what the window shows is what the organ holds.

#include "model/config_model.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zkt {

enum class PistonFault : std::uint8_t {
    none,
    // None of its three boxes checked: the image gets no entry, and the organ an unassigned piston.
    bankSelectSendsNothing,
    // Only the program change: the image holds a plain program change, read back as that group.
    bankSelectOnlyProgram,
    // The description numbers a PLEXO function by programNumber, the image by functionType.
    plexoNumberIsNotItsType,
};

PistonFault pistonFault(const pistonInfo& piston);
// Why, in the piston editor's words.
std::string pistonFaultInWords(PistonFault fault);
// Why, naming the fields and their values, for the JSON form.
std::string pistonFaultWithFields(PistonFault fault, const pistonInfo& piston);

// The piston editor sets a PLEXO function's type, but its description numbers it by
// programNumber: the number follows the type, as it does in a piston read from an image.
void numberAsTheImageDoes(pistonInfo& piston);

// A fixed velocity of 0 is the MCU's "no velocity", which reads back as a fixed 127.
bool velocityIsCarried(std::uint8_t velocityByte);
// Why, in the keyboard editor's words and for the JSON form.
std::string velocityFaultInWords(int channel);
std::string velocityFaultWithField(std::uint8_t velocityByte);

// Every such value of manuals 1..numberOfManuals: "Manual 2, piston 5: " followed by the fields.
std::vector<std::string> uncarriedValues(const ConfigModel& model);

} // namespace zkt
