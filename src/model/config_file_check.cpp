#include "model/config_file_check.h"

#include "model/config_file.h"
#include "model/config_model.h"
#include "model/console_name_lines.h"
#include "model/program_image.h"

#include <algorithm>
#include <cctype>

namespace zkt {

namespace {

constexpr std::size_t wholeLineLength = imageBufferSize * 3; // two digits and a blank per byte
static_assert(maxManuals == 5, "the warning says five manuals");
// Beyond this many, damaged lines are counted rather than each named.
constexpr int namedDamagedLines = 10;

bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool looksLikeHexText(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return c == ' ' || std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

bool ConfigFileLineCheck::take(std::string_view line) {
    ++m_lineNumber;
    if (isBlank(line))
        return true;
    // After the fifth image too: a full organ's names follow its five image lines.
    if (isConsoleNameLine(line)) {
        noteNameLine(line);
        return true;
    }
    if (m_images == maxManuals) {
        m_beyondLastManual = true;
        return false;
    }
    if (line.size() >= minimumImageLineLength)
        ++m_images;
    else
        noteDamagedLine(line);
    return true;
}

void ConfigFileLineCheck::noteDamagedLine(std::string_view line) {
    if (++m_damagedLines > namedDamagedLines)
        return;
    const std::string where = "Line " + std::to_string(m_lineNumber);
    const std::string length = std::to_string(line.size());
    if (looksLikeHexText(line)) {
        m_warnings.push_back(where + " is cut short (" + length + " of " + std::to_string(wholeLineLength) +
                             " characters): manual " + std::to_string(m_images + 1) + " was not read.");
    } else {
        m_warnings.push_back(where + " is not a manual's image (" + length + " characters): it was skipped.");
    }
}

void ConfigFileLineCheck::noteNameLine(std::string_view line) {
    const ConsoleNameLine named = parseConsoleNameLine(line);
    if (named.problem.empty()) {
        m_namedManuals.emplace_back(m_lineNumber, named.manualIndex + 1);
    } else {
        m_warnings.push_back("Line " + std::to_string(m_lineNumber) + " is " + consoleNameLineKind(line) +
                             " that cannot be read (" + named.problem + "): it was skipped.");
    }
}

ConfigFileCheck ConfigFileLineCheck::result() const {
    ConfigFileCheck check{m_warnings, m_damagedLines > 0, m_images == 0};
    for (const auto& [lineNumber, manual] : m_namedManuals) {
        if (manual > m_images && m_images > 0)
            check.warnings.push_back("Line " + std::to_string(lineNumber) + " names manual " +
                                     std::to_string(manual) +
                                     ", which the file does not hold: it was skipped.");
    }
    if (m_damagedLines > namedDamagedLines) {
        check.warnings.push_back(std::to_string(m_damagedLines - namedDamagedLines) +
                                 " more lines are not manuals' images either; they were skipped.");
    }
    if (m_beyondLastManual)
        check.warnings.push_back("Only the first five manuals were read.");
    if (check.holdsNoImage) {
        check.damaged = true;
        check.warnings.push_back("The file holds no configuration: no line in it is a manual's image.");
    }
    return check;
}

ConfigFileCheck checkConfigurationLines(std::span<const std::string> lines) {
    ConfigFileLineCheck check;
    for (const std::string& line : lines) {
        if (!check.take(line))
            break;
    }
    return check.result();
}

std::string openedFileHeading(const std::string& fileName, const ConfigFileCheck& check) {
    if (check.holdsNoImage)
        return fileName + ":";
    return (check.warnings.empty() ? "Successfully opened file " : "Opened file ") + fileName;
}

std::string openedFileStatus(const std::string& fileName, const ConfigFileCheck& check) {
    std::string text = openedFileHeading(fileName, check);
    for (const std::string& warning : check.warnings)
        text += "\n" + warning;
    return text;
}

std::string openingFileCaption(const std::string& fileName) {
    return "Loading Program Data from file: " + fileName;
}

} // namespace zkt
