#pragma once
// What start-up reads from the settings file. Names are compared exactly here (case
// matters), unlike the file's own lookups.

#include "link/midi_selection.h"
#include "settings/ini_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zkt {

// True when a section "Bellhaven" has the key "Log" with the value exactly "1".
bool readLogSwitch(cInifile& settings, const std::string& settingsFile);

// Fills savedMidiIn, savedMidiOut and the device names from "MIDI I/O" and lastFolder from
// "Preferences" "Path"; whatever is missing keeps the value it had.
void readStartupSettings(cInifile& settings, const std::string& settingsFile, MidiSelection& selection,
                         std::string& lastFolder);

// A switch kept as "1" or "0" under key in section; fallback when the key is missing
// (as at the first start) or not a number. The piston overview is "PistonOverview" in the main
// window's section; the write options are "WriteBackup", "WriteOnlyChanged" and "WriteVerify"
// in "Preferences".
bool readSwitch(cInifile& settings, const std::string& settingsFile, const std::string& section,
                const std::string& key, bool fallback);
void writeSwitch(cInifile& settings, const std::string& settingsFile, const std::string& section,
                 const std::string& key, bool on);

// The leading decimal number of the text rounded to an integer (halves to even), 0 when the
// text does not start with one; kept within the 16-bit range.
std::int16_t leadingNumber(std::string_view text);

} // namespace zkt
