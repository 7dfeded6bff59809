#pragma once
// The lines of a configuration file as the reader and the warnings see them: ended by CR LF,
// LF or CR, and no longer than any configuration's line could be.

#include "model/config_file_error.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace zkt {

// Far beyond any line the program writes (780 characters); longer ones mean the file is
// not a configuration, and reading them whole could exhaust memory.
inline constexpr std::size_t maximumLineLength = 64 * 1024;

class ConfigFileLines {
public:
    // name is the file's path or name, for errors.
    ConfigFileLines(std::istream& in, std::string name) : m_in(in), m_name(std::move(name)) {}

    // Empty at the end of the input. Throws ConfigFileError for a line beyond maximumLineLength,
    // or with longLinesCut, cuts it there: past the last manual only whether a line holds
    // anything matters.
    std::optional<std::string> next(bool longLinesCut = false);
    // 1-based number of the line next() returned last.
    int lineNumber() const { return m_lineNumber; }

private:
    std::istream& m_in;
    std::string m_name;
    int m_lineNumber = 0;
};

} // namespace zkt
