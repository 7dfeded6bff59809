#pragma once
// What a damaged configuration file lost. A file still loads as it always has (lines shorter
// than an image are skipped, reading stops after five manuals); this says plainly what was
// left out, for the window, zktcli and the browser page alike. The lines of the console's names
// are no damage, wherever they stand; one that cannot be read is said, but loses no manual.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zkt {

struct ConfigFileCheck {
    std::vector<std::string> warnings; // whole sentences, in the order of the file
    // A line that is neither blank nor an image, or no image at all: the configuration read
    // may lack a manual, so it must not be taken for the file's whole.
    bool damaged = false;
    bool holdsNoImage = false;
};

// Takes a file's lines in order, as the reader meets them.
class ConfigFileLineCheck {
public:
    // False once later lines can no longer change the result: reading may stop there.
    bool take(std::string_view line);
    ConfigFileCheck result() const;

private:
    void noteDamagedLine(std::string_view line);
    void noteNameLine(std::string_view line);

    int m_lineNumber = 0;
    int m_images = 0;
    int m_damagedLines = 0;
    bool m_beyondLastManual = false;
    std::vector<std::string> m_warnings;
    // Where a name or label line names a manual: it must be one the file holds.
    std::vector<std::pair<int, int>> m_namedManuals; // line number, manual number
};

// The warnings of a whole file given as its lines (without their line ends).
ConfigFileCheck checkConfigurationLines(std::span<const std::string> lines);

// The status window's text after a file was opened: "Successfully opened file NAME", or where
// the file is damaged, what was left out.
std::string openedFileStatus(const std::string& fileName, const ConfigFileCheck& check);
// Its first line alone, before the warnings: "Successfully opened file NAME", "Opened file NAME"
// or, for a file without a configuration, "NAME:".
std::string openedFileHeading(const std::string& fileName, const ConfigFileCheck& check);
// The status window's caption while a file is opened.
std::string openingFileCaption(const std::string& fileName);

} // namespace zkt
