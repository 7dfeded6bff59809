#include "cli/show_report.h"

#include "model/console_names.h"
#include "model/manual_summary.h"
#include "model/piston_description.h"

#include <algorithm>
#include <array>
#include <iomanip>

namespace zkt::cli {
namespace {

void writeChannels(const ConfigModel& model, int m, std::ostream& out) {
    out << "  MIDI channels\n";
    const std::vector<ChannelSummary> channels = enabledChannels(model, m);
    if (channels.empty()) {
        out << "    none enabled\n";
        return;
    }
    out << "    Ch  Key offset  Velocity  Analog input  Controller\n";
    for (const ChannelSummary& c : channels) {
        out << "    " << std::setw(2) << c.channel << "  " << std::setw(10) << c.keyOffset << "  "
            << std::setw(8) << c.velocity << "  " << std::left << std::setw(12) << c.analogInput << "  "
            << c.controller << std::right << '\n';
    }
}

void writeOptions(const keyboardInfo& keyboard, std::ostream& out) {
    out << "  Enable Piston + Key Combinations\n";
    for (const OptionSummary& option : keyboardOptions(keyboard))
        out << "    " << (option.on ? "on " : "off") << "  " << option.caption << '\n';
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
    out << "  Pistons\n";
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
    out << "Manuals: " << model.numberOfManuals << '\n';
    for (int m = 0; m < model.numberOfManuals && m < maxManuals; ++m) {
        out << '\n' << manualWithName(model.names, m + 1) << '\n';
        writeChannels(model, m, out);
        writeOptions(model.keyboards[m], out);
        out << "  " << archiveCrescendoTitle << ": " << archiveCrescendoText(model.keyboards[m]) << '\n';
        writePistons(model, m, out);
    }
}

} // namespace zkt::cli
