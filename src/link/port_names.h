#pragma once
// Devices are remembered by name, not by their place in a list: ALSA and JACK renumber their
// clients whenever one comes or goes, and a USB interface moved to another socket gets a new
// number. A label is the device's name without the numbers ALSA adds; a second device of
// the same name is told apart by " (2)", a third by " (3)".

#include <optional>
#include <string>
#include <vector>

namespace zkt {

// The name without ALSA's trailing client:port numbers ("USB MIDI:USB MIDI MIDI 1 20:0") and
// the bracketed client number a JACK bridge puts in ("a2j:USB MIDI [20] (capture): ...").
std::string stablePortName(const std::string& name);

// One label per name, in the same order.
std::vector<std::string> portLabels(const std::vector<std::string>& names);

// The position of the device with this label in names.
std::optional<int> findPort(const std::vector<std::string>& names, const std::string& label);

} // namespace zkt
