#pragma once
// The MIDI monitor's words, for the window and the page alike. Captions carry '&' before the
// letter Alt chooses.

#include <cstddef>
#include <string>
#include <vector>

namespace zkt::monitortext {

std::string title();
std::string filterPlaceholder();
// The table's column headings, in order: time since start, since the message before,
// direction, bytes, meaning.
std::vector<std::string> columns();
// "120 messages (the 20 oldest were let go: the monitor keeps the latest 100); paused, 3 not recorded"
struct Count {
    std::size_t shown = 0;
    std::size_t dropped = 0;
    std::size_t capacity = 0;
    bool paused = false;
    std::size_t notRecorded = 0;
};
std::string countText(const Count& count);
std::string pauseCaption(bool paused);
std::string clearCaption();
std::string saveCaption();

} // namespace zkt::monitortext
