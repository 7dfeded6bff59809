#pragma once
// The console's names in a .zkt file: after the image lines, one line for each manual's name
// and each piston's label that is not empty, and for each compass that is not the default,
//     #zkt-name 2 Swell
//     #zkt-compass 2 56
//     #zkt-label 2 5 General 5
// (manual 1..5, piston 1..20, one blank before the text or the number of keys). The text is UTF-8 with every
// byte below 0x20, DEL, "%" and a blank at the line's end written as "%" and two hex digits, so that nothing
// typed into a label can end the line or be lost to an editor that trims lines. Every such line is far
// shorter than an image line (700 characters), so every reader that knows only the images skips it; the
// "#zkt-" mark keeps any other short line from being taken for one.

#include "model/config_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace zkt {

// The lines for manuals 1..manuals, without line ends: each manual's name and compass, then its
// labels.
std::vector<std::string> consoleNameLines(const ConsoleNames& names, int manuals);

// Whether line is marked as a name, label or compass line, whether or not it can then be read.
bool isConsoleNameLine(std::string_view line);

// What such a line gives, as a warning about it names it: a compass, or a name or label.
enum class ConsoleNameLineKind { nameOrLabel, compass };
ConsoleNameLineKind consoleNameLineKind(std::string_view line);

struct ConsoleNameLine {
    int manualIndex = 0;
    int pistonInManual = -1; // -1: the line names the manual or gives its compass
    std::string text;
    int compass = 0; // a compass line's number of keys; 0 on the other lines
    // Why the line cannot be read, to end a sentence; empty when it can.
    std::string problem;
};

ConsoleNameLine parseConsoleNameLine(std::string_view line);
// Stores what a line that can be read gives.
void takeConsoleNameLine(const ConsoleNameLine& line, ConsoleNames& names);

} // namespace zkt
