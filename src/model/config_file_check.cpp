#include "model/config_file_check.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
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
    if (looksLikeHexText(line)) {
        m_warnings.push_back(
            formatText(tr("Line %1 is cut short (%2 of %3 characters): manual %4 was not read."),
                       m_lineNumber, line.size(), wholeLineLength, m_images + 1));
    } else {
        // TRANSLATORS: the plural goes with the number of characters (%2).
        m_warnings.push_back(
            formatText(trn("Line %1 is not a manual's image (%2 characters): it was skipped.",
                           "Line %1 is not a manual's image (%2 characters): it was skipped.", line.size()),
                       m_lineNumber, line.size()));
    }
}

void ConfigFileLineCheck::noteNameLine(std::string_view line) {
    const ConsoleNameLine named = parseConsoleNameLine(line);
    if (named.problem.empty()) {
        m_namedManuals.emplace_back(m_lineNumber, named.manualIndex + 1);
    } else {
        // TRANSLATORS: %2 says what is wrong with the line.
        m_warnings.push_back(
            formatText(consoleNameLineKind(line) == ConsoleNameLineKind::compass
                           ? tr("Line %1 is a compass that cannot be read (%2): it was skipped.")
                           : tr("Line %1 is a name or label that cannot be read (%2): it was "
                                "skipped."),
                       m_lineNumber, named.problem));
    }
}

ConfigFileCheck ConfigFileLineCheck::result() const {
    ConfigFileCheck check{m_warnings, m_damagedLines > 0, m_images == 0};
    for (const auto& [lineNumber, manual] : m_namedManuals) {
        if (manual > m_images && m_images > 0)
            check.warnings.push_back(
                formatText(tr("Line %1 names manual %2, which the file does not hold: it was skipped."),
                           lineNumber, manual));
    }
    if (m_damagedLines > namedDamagedLines) {
        const int more = m_damagedLines - namedDamagedLines;
        check.warnings.push_back(
            formatText(trn("%1 more lines are not manuals' images either; they were skipped.",
                           "%1 more lines are not manuals' images either; they were skipped.",
                           static_cast<unsigned long>(more)),
                       more));
    }
    if (m_beyondLastManual)
        check.warnings.push_back(tr("Only the first five manuals were read."));
    if (check.holdsNoImage) {
        check.damaged = true;
        check.warnings.push_back(tr("The file holds no configuration: no line in it is a manual's image."));
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
    if (check.holdsNoImage) {
        // TRANSLATORS: a file's name before what is wrong with it, on the lines below.
        return formatText(tr("%1:"), fileName);
    }
    return formatText(check.warnings.empty() ? tr("Successfully opened file %1") : tr("Opened file %1"),
                      fileName);
}

std::string openedFileStatus(const std::string& fileName, const ConfigFileCheck& check) {
    std::string text = openedFileHeading(fileName, check);
    for (const std::string& warning : check.warnings)
        text += "\n" + warning;
    return text;
}

std::string openingFileCaption(const std::string& fileName) {
    return formatText(tr("Loading Program Data from file: %1"), fileName);
}

} // namespace zkt
