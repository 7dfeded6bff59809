#pragma once
// What a configuration file's reader passes over in silence, as the user should hear of it:
// a line too short to hold an image, a file with no image at all, more manuals than a chain
// holds. The file still opens; these say what of it was left out.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

// A line of hex text as long as every line the program writes.
inline constexpr std::size_t imageLineLength = 780;

// One sentence per finding, in the order of the file's lines; empty for a whole configuration:
//   "Line 2 is cut short (412 of 780 characters): manual 2 was not read."
//   "No manual was read: the file holds no configuration line."
//   "Only the first five manuals were read."
// Lines that are not hex text (a note someone added) are no images and are not named. Never
// throws: a file the reader refuses has its error instead.
std::vector<std::string> configurationFileWarnings(std::string_view text);

} // namespace zkt
