#include "cli/show_report.h"

#include "model/piston_description.h"
#include "model/vocabulary.h"

#include <algorithm>
#include <array>
#include <iomanip>
#include <sstream>

namespace zkt::cli {
namespace {

constexpr int keyOffsetZero = 36;        // the transposition byte that plays at pitch
constexpr int velocitySensingBit = 0x80; // set: the key's velocity is sent, not a fixed value
constexpr int noAnalogInput = 3;

std::string signedOffset(int offset) {
    std::string text = std::to_string(offset);
    if (offset > 0)
        text.insert(text.begin(), '+');
    return text;
}

std::string velocityText(int velocity) {
    return (velocity & velocitySensingBit) != 0 ? "sensing" : std::to_string(velocity);
}

std::string analogInputText(int input) {
    const std::string& name = listEntry(vocabulary().analogInputNames, input + 1);
    return name.empty() ? "input " + std::to_string(input) : name;
}

void writeChannels(const ConfigModel& model, int m, std::ostream& out) {
    const Vocabulary& words = vocabulary();
    const unsigned mask = model.keyboards[m].channels;
    out << "  MIDI channels\n";
    if (mask == 0) {
        out << "    none enabled\n";
        return;
    }
    out << "    Ch  Key offset  Velocity  Analog input  Controller\n";
    for (int c = 1; c <= channelsPerManual; ++c) {
        if ((mask & (1u << (c - 1))) == 0)
            continue;
        const int slot = channelSlotOf(m, c);
        const shoeInfo& shoe = model.shoes[slot];
        out << "    " << std::setw(2) << c << "  " << std::setw(10)
            << signedOffset(model.channelTranspose[slot] - keyOffsetZero) << "  " << std::setw(8)
            << velocityText(model.channelVelocity[slot]) << "  " << std::left << std::setw(12);
        if (shoe.expressionOn) {
            out << analogInputText(shoe.channel) << "  "
                << listEntry(words.controllerNames, shoe.volumeControl ? 0 : 1);
        } else {
            out << listEntry(words.analogInputNames, 0) << "  -";
        }
        out << std::right << '\n';
    }
}

void writeOptions(const keyboardInfo& keyboard, std::ostream& out) {
    out << "  Enable Piston + Key Combinations\n";
    const VocabularyList& captions = vocabulary().keyboardOptionNames;
    for (std::size_t bit = 0; bit < captions.size(); ++bit) {
        const bool on = (keyboard.keyboardConfig >> bit & 1u) != 0;
        out << "    " << (on ? "on " : "off") << "  " << captions[bit] << '\n';
    }
}

void writeArchive(const keyboardInfo& keyboard, std::ostream& out) {
    out << "  Ahlborn Archive Crescendo: ";
    if (keyboard.archiveInput >= noAnalogInput) {
        out << listEntry(vocabulary().analogInputNames, 0) << '\n';
    } else {
        out << analogInputText(keyboard.archiveInput) << " on MIDI channel " << int{keyboard.archiveChannel}
            << '\n';
    }
}

void writePistons(const ConfigModel& model, int m, std::ostream& out) {
    std::array<std::string, pistonsPerManual> lines;
    std::size_t width = 0;
    for (int k = 0; k < pistonsPerManual; ++k) {
        const pistonInfo& piston = model.pistons[pistonIndexOf(m, k)];
        std::string line = describePiston(piston);
        if (line.empty()) {
            line = piston.functionGroup == 0 ? "Unassigned"
                                             : "function group " + std::to_string(piston.functionGroup);
        }
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
        writeArchive(model.keyboards[m], out);
        writePistons(model, m, out);
    }
}

} // namespace zkt::cli
