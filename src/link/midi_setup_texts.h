#pragma once
// The MIDI setup's words, for the window and the page alike. Captions carry '&' before the
// letter Alt chooses.

#include <string>
#include <vector>

namespace zkt::midisetuptext {

std::string title();
std::string prompt();
std::string inputCaption();
std::string outputCaption();
// The first entry of a list, standing for no device chosen yet.
std::string choosePlaceholder(bool input);
// What the setup says of the devices chosen before that are not connected now (a name empty:
// that one is there), and what to do; none when both are there. listFollowsAtOnce: the lists
// follow a device plugged in at once (the page), else within a second (the window's rescan).
std::vector<std::string> missingDeviceLines(const std::string& missingInput, const std::string& missingOutput,
                                            bool listFollowsAtOnce);
// A device asked for by a number no device has.
std::string noDeviceNumberText(bool input, int device);

} // namespace zkt::midisetuptext
