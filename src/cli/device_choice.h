#pragma once
// Picks a MIDI device from zktcli's --in/--out argument: the number `zktcli ports` shows, or
// a part of the device's name.

#include <string>
#include <vector>

namespace zkt::cli {

// Returns the index into names. An empty choice takes the only device there is. Throws
// std::runtime_error naming the direction ("input" or "output") and the candidates when the
// choice is not unique.
int chooseDevice(const std::vector<std::string>& names, const std::string& choice,
                 const std::string& direction);

} // namespace zkt::cli
