#pragma once
// The MIDI setup's words, for the window and the page alike. Captions carry '&' before the
// letter Alt chooses.

#include <string>

namespace zkt::midisetuptext {

std::string title();
std::string prompt();
std::string inputCaption();
std::string outputCaption();
// The first entry of a list, standing for no device chosen yet.
std::string choosePlaceholder(bool input);

} // namespace zkt::midisetuptext
