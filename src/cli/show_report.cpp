#include "cli/show_report.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/console_names.h"
#include "model/manual_summary.h"
#include "model/piston_description.h"

#include <algorithm>
#include <array>
#include <iomanip>
#include <string>

namespace zkt::cli {
namespace {

// A text widened to width characters with blanks, before it or after it: headings and values
// in any language line up.
std::string padded(const std::string& text, std::size_t width, bool before) {
    const std::string blanks(width - std::min(width, characterCount(text)), ' ');
    return before ? blanks + text : text + blanks;
}

void writeChannels(const ConfigModel& model, int m, std::ostream& out) {
    out << "  " << tr("MIDI channels") << '\n';
    const std::vector<ChannelSummary> channels = enabledChannels(model, m);
    if (channels.empty()) {
        out << "    " << tr("none enabled") << '\n';
        return;
    }
    // TRANSLATORS: the heading of a narrow column of channel numbers.
    const std::array<std::string, 5> headings{tr("Ch"), tr("Key offset"), tr("Velocity"), tr("Analog input"),
                                              tr("Controller")};
    std::array<std::size_t, 4> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column)
        widths[column] = characterCount(headings[column]);
    for (const ChannelSummary& c : channels) {
        widths[0] = std::max(widths[0], std::to_string(c.channel).size());
        widths[1] = std::max(widths[1], characterCount(c.keyOffset));
        widths[2] = std::max(widths[2], characterCount(c.velocity));
        widths[3] = std::max(widths[3], characterCount(c.analogInput));
    }
    out << "    " << padded(headings[0], widths[0], true) << "  " << padded(headings[1], widths[1], true) << "  "
        << padded(headings[2], widths[2], true) << "  " << padded(headings[3], widths[3], false) << "  "
        << headings[4] << '\n';
    for (const ChannelSummary& c : channels) {
        out << "    " << padded(std::to_string(c.channel), widths[0], true) << "  "
            << padded(c.keyOffset, widths[1], true) << "  " << padded(c.velocity, widths[2], true) << "  "
            << padded(c.analogInput, widths[3], false) << "  " << c.controller << '\n';
    }
}

void writeOptions(const keyboardInfo& keyboard, std::ostream& out) {
    out << "  " << tr("Enable Piston + Key Combinations") << '\n';
    // TRANSLATORS: whether an option is on or off, in a column as wide as the longer of the two.
    const std::string on = tr("on");
    const std::string off = tr("off");
    const std::size_t width = std::max(characterCount(on), characterCount(off));
    for (const OptionSummary& option : keyboardOptions(keyboard))
        out << "    " << padded(option.on ? on : off, width, false) << "  " << option.caption << '\n';
}

// Texts padded to the widest of them, in characters: labels may be any script.
void padToWidest(std::array<std::string, pistonsPerManual>& texts) {
    std::size_t widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, characterCount(text));
    for (std::string& text : texts)
        text += std::string(widest - characterCount(text), ' ');
}

// Each piston's label (where the manual has any), function and detail, in columns.
void writePistons(const ConfigModel& model, int m, std::ostream& out) {
    std::array<std::string, pistonsPerManual> labels;
    std::array<std::string, pistonsPerManual> functions;
    bool labelled = false;
    for (int k = 0; k < pistonsPerManual; ++k) {
        const auto i = static_cast<std::size_t>(pistonIndexOf(m, k));
        labels[static_cast<std::size_t>(k)] = oneLine(model.names.pistonLabels[i]);
        labelled = labelled || !model.names.pistonLabels[i].empty();
        functions[static_cast<std::size_t>(k)] = pistonFunctionText(model.pistons[i]);
    }
    padToWidest(labels);
    padToWidest(functions);
    out << "  " << tr("Pistons") << '\n';
    for (int k = 0; k < pistonsPerManual; ++k) {
        const std::string detail = describePistonDetail(model.pistons[pistonIndexOf(m, k)]);
        const auto i = static_cast<std::size_t>(k);
        std::string line = (labelled ? labels[i] + "   " : std::string()) + functions[i];
        line = detail.empty() ? line : line + "   " + detail;
        out << "    " << std::setw(2) << k + 1 << "  " << line.substr(0, line.find_last_not_of(' ') + 1)
            << '\n';
    }
}

} // namespace

void writeShowReport(const ConfigModel& model, std::ostream& out) {
    out << formatText(tr("Manuals: %1"), model.numberOfManuals) << '\n';
    for (int m = 0; m < model.numberOfManuals && m < maxManuals; ++m) {
        out << '\n' << manualWithName(model.names, m + 1) << '\n';
        writeChannels(model, m, out);
        writeOptions(model.keyboards[m], out);
        out << "  " << archiveCrescendoTitle() << ": " << archiveCrescendoText(model.keyboards[m]) << '\n';
        writePistons(model, m, out);
    }
}

} // namespace zkt::cli
