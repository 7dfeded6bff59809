#include "model/config_file_warnings.h"

#include "model/config_file.h"
#include "model/config_file_lines.h"
#include "model/config_model.h"
#include "model/hex_text.h"

#include <sstream>

namespace zkt {

namespace {

// Not a note someone added: a line written as an image is, but cut short or beyond the fifth.
bool isHexText(const std::string& line) {
    if (line.find_first_not_of(' ') == std::string::npos) {
        return false;
    }
    try {
        hexToBytes(line);
        return true;
    } catch (const HexFormatError&) {
        return false;
    }
}

std::string cutShortWarning(int lineNumber, std::size_t length, int manual) {
    return "Line " + std::to_string(lineNumber) + " is cut short (" + std::to_string(length) + " of " +
           std::to_string(imageLineLength) + " characters): manual " + std::to_string(manual) +
           " was not read.";
}

} // namespace

std::vector<std::string> configurationFileWarnings(std::string_view text) {
    std::vector<std::string> warnings;
    std::istringstream in{std::string(text)};
    ConfigFileLines lines(in, {});
    int manuals = 0;
    try {
        while (const auto line = lines.next()) {
            if (line->size() >= minimumImageLineLength) {
                if (manuals == maxManuals && isHexText(*line)) {
                    warnings.emplace_back("Only the first five manuals were read.");
                    break;
                }
                ++manuals;
            } else if (manuals < maxManuals && isHexText(*line)) {
                warnings.push_back(cutShortWarning(lines.lineNumber(), line->size(), manuals + 1));
            }
        }
    } catch (const ConfigFileError&) {
        return warnings; // the reader refuses such a file with its own error
    }
    if (manuals == 0) {
        warnings.emplace_back("No manual was read: the file holds no configuration line.");
    }
    return warnings;
}

} // namespace zkt
