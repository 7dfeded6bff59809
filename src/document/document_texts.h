#pragma once
// The document's own words, for the window and the page alike: what the title calls a
// configuration without a file, and the names of the steps that are not an edit.

namespace zkt::documenttext {

inline constexpr const char* loadedFromOrgan = "Settings from the ZKT";
inline constexpr const char* recoveredStep = "Recover Unsaved Changes";
// Where a text without a file of its own comes from, for errors.
inline constexpr const char* recoveredSource = "the recovered changes";

} // namespace zkt::documenttext
