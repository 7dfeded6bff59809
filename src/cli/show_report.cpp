#include "cli/show_report.h"

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

void writePistons(const ConfigModel& model, int m, std::ostream& out) {
    std::array<std::string, pistonsPerManual> lines;
    std::size_t width = 0;
    for (int k = 0; k < pistonsPerManual; ++k) {
        std::string line = pistonFunctionText(model.pistons[pistonIndexOf(m, k)]);
        width = std::max(width, line.size());
        lines[static_cast<std::size_t>(k)] = std::move(line);
    }
    out << "  Pistons\n";
    for (int k = 0; k < pistonsPerManual; ++k) {
        const std::string detail = describePistonDetail(model.pistons[pistonIndexOf(m, k)]);
        const std::string& line = lines[static_cast<std::size_t>(k)];
        out << "    " << std::setw(2) << k + 1 << "  " << line;
        if (!detail.empty())
            out << std::string(width - line.size() + 3, ' ') << detail;
        out << '\n';
    }
}

} // namespace

void writeShowReport(const ConfigModel& model, std::ostream& out) {
    out << "Manuals: " << model.numberOfManuals << '\n';
    for (int m = 0; m < model.numberOfManuals && m < maxManuals; ++m) {
        out << "\nManual " << m + 1 << '\n';
        writeChannels(model, m, out);
        writeOptions(model.keyboards[m], out);
        out << "  " << archiveCrescendoTitle << ": " << archiveCrescendoText(model.keyboards[m]) << '\n';
        writePistons(model, m, out);
    }
}

} // namespace zkt::cli
