#pragma once
// The check behind a verified write (window and zktcli) and `zktcli verify`. The protocol has no
// acknowledgement, so an update lost on the way to an MCU is only seen by reading it back.

#include "model/config_model.h"

#include <string>
#include <vector>

namespace zkt {

// Compares every manual of `written`, as the user saw it, with the manual read back from the
// chain. One line per manual that is missing or differs, followed by what differs in the words
// of change_words.h ("  Manual 2, piston 5: Program Change #3 on MIDI Channel 1 → ...", written
// value first); empty when everything matches.
std::vector<std::string> verificationReport(const ConfigModel& written, const ConfigModel& readBack);

} // namespace zkt
