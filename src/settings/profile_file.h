#pragma once
// Reading and writing single entries of an INI file, one complete load (and, for writes, save)
// per call so that nothing stays open between calls. Section and key names ignore case.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zkt {

// With a section and a key: the key's value, or defaultText when the file, section or key is
// missing. With a section only: the section's key names in file order, each followed by a zero
// character. With neither: the section names in the same form. The answer is cut to fit a
// buffer of bufferSize characters: at most bufferSize - 1 characters, and a name list that does
// not fit keeps its first bufferSize - 2 characters, so a cut name loses its terminator.
std::string readProfileString(const std::string& path, std::optional<std::string_view> section,
                              std::optional<std::string_view> key, std::string_view defaultText,
                              std::size_t bufferSize);

// Sets the key in the section, creating the file, the section or the key as needed. Without a
// text the key is removed; without a key the whole section is removed. The file is replaced
// through a temporary file, so a failure leaves the previous file whole. Returns false when the
// file cannot be read or written, or when a name or the text could not be read back as written
// (a line break anywhere, "]" in a section, "=" in a key or a key that would read as a comment).
bool writeProfileString(const std::string& path, std::string_view section,
                        std::optional<std::string_view> key, std::optional<std::string_view> text);

} // namespace zkt
