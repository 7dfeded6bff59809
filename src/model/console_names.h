#pragma once
// The rules for the console's names, labels and compasses (ConsoleNames), and how reports call a
// manual or a piston by them.

#include "model/config_model.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zkt {

// In characters (Unicode code points): what a label maker's strip or a line of the chart holds.
inline constexpr std::size_t longestConsoleName = 40;

// Why text cannot be a manual's name or a piston's label, said of subject in the current
// language ("label has 41 characters, at most 40", "the text is not UTF-8 text"); empty when it
// can be one.
std::string consoleNameProblem(std::string_view text, std::string_view subject);
// The same as a whole sentence in the current language about a manual's name or a piston's
// label: "The label is not UTF-8 text."; empty when it can be one.
enum class ConsoleNameKind { name, label };
std::string consoleNameRefusal(std::string_view text, ConsoleNameKind kind);

// The most keys a manual may have: one for every note MIDI has.
inline constexpr int longestCompass = 128;
// Why a number cannot be a manual's compass, to end a sentence ("is not 1 to 128 keys"); empty
// when it can be one. The messages that give the reason word it whole, in the current language.
std::string compassProblem(int keys);

// The code points of UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// What typed UTF-8 text is kept as: cut to longestConsoleName characters, as an input of that
// length cuts a paste, and without the blanks around it, which nobody sees.
std::string typedConsoleName(std::string_view typed);

// The text on one line, for titles, menus and report lines: each control character and line
// separator (a line break or a tab pasted into a label) shown as a space. The stored text keeps
// them.
std::string oneLine(std::string_view text);

// Clears the manual's name and its pistons' labels, and gives it the default compass;
// manualIndex 0..4.
void clearManualNames(ConsoleNames& names, int manualIndex);

// The titles below give the name or label on one line.
// "Manual #2 — Swell", or "Manual #2" where it has no name: the manual's title in the window
// and on the chart; manual 1..5.
std::string manualTitle(const ConsoleNames& names, int manual);
// "Manual 2 (Swell)", or "Manual 2" where it has no name, in reports' lines.
std::string manualWithName(const ConsoleNames& names, int manual);
// "piston 5 (General 5)", or "piston 5" where it has no label; pistonIndex 0..99.
std::string pistonWithLabel(const ConsoleNames& names, int pistonIndex);

} // namespace zkt
