#include "model/hidden_differences.h"

#include "model/console_names.h"
#include "model/image_layout.h"
#include "model/piston_description.h"
#include "model/product_name.h"
#include "model/program_image.h"

#include <algorithm>
#include <cstdio>

namespace zkt {

namespace {

using namespace imagepos;

constexpr std::uint8_t fixedVelocityZero = 0x00;
constexpr std::uint8_t sensingWithValueZero = 0x80;
constexpr std::uint8_t noAnalogInput = 3;
constexpr std::uint8_t analogInputBits = 0x03;
constexpr std::uint8_t analogInputDriven = 0x04;
constexpr std::uint8_t bankEntryKind = 0x40;
constexpr std::uint8_t msbBit = 0x80;

std::string theProduct() {
    return "the " + std::string(productTag);
}

std::string hex(std::uint8_t byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

std::string entryHex(std::span<const std::uint8_t> image, int position) {
    return hex(imageByte(image, position)) + " " + hex(imageByte(image, position + 1));
}

std::uint8_t analogNibble(std::span<const std::uint8_t> image, int channelIndex) {
    const std::uint8_t byte = imageByte(image, analogNibbles + channelIndex / 2);
    return channelIndex % 2 == 0 ? byte & 0x0F : byte >> 4;
}

// A bank-select row holds an entry only where the decoder takes one: kind 4, and bit 7 of the
// second byte set in the MSB rows and clear in the LSB rows.
bool holdsBankEntry(std::span<const std::uint8_t> image, int position, bool msbRow) {
    const std::uint8_t first = imageByte(image, position);
    const bool msbValue = (imageByte(image, position + 1) & msbBit) != 0;
    return (first & 0xF0) == bankEntryKind && msbValue == msbRow;
}

class Comparison {
public:
    Comparison(std::span<const std::uint8_t> held, int manual, std::uint8_t hardwareType,
               const ConsoleNames& names)
        : m_held(held), m_manual(manual), m_hardwareType(hardwareType), m_names(names) {
        decodeProgramImage(m_shown, manual, held);
        m_written = shownImage(held, manual, hardwareType);
    }

    std::vector<HiddenDifference> differences() {
        compareFormatByte();
        for (int i = 0; i < channelsPerManual; ++i)
            compareAnalogInput(i);
        compareArchiveCrescendo();
        for (int i = 0; i < channelsPerManual; ++i)
            compareVelocity(i);
        for (int k = 0; k < pistonsPerManual; ++k)
            comparePiston(k);
        return std::move(m_differences);
    }

private:
    std::uint8_t held(int position) const { return imageByte(m_held, position); }
    std::uint8_t written(int position) const { return imageByte(m_written, position); }

    void say(int position, const std::string& record, const std::string& words) {
        m_differences.push_back({position, record + ": " + words});
    }
    void sayOfManual(int position, const std::string& words) {
        say(position, manualWithName(m_names, m_manual), words);
    }

    void compareFormatByte() {
        if (held(formatByte) != written(formatByte))
            sayOfManual(formatByte,
                        "the format byte of " + theProduct() + "'s image is " + hex(held(formatByte)) +
                            ", where the hardware type its MCU reports (" + std::to_string(m_hardwareType) +
                            ") calls for " + hex(written(formatByte)));
    }

    void compareAnalogInput(int i) {
        const std::uint8_t from = analogNibble(m_held, i);
        if (from == analogNibble(m_written, i))
            return;
        const std::string channel = "channel " + std::to_string(i + 1);
        if ((from & analogInputBits) == noAnalogInput)
            sayOfManual(analogNibbles + i / 2,
                        channel + " names no analog input (input code 3)" +
                            ((from & analogInputDriven) != 0 ? std::string(" and switches it on") : "") +
                            ", shown as Input 1, switched off");
        else
            sayOfManual(analogNibbles + i / 2, channel + "'s analog-input bits hold " + hex(from) +
                                                   ", shown as " + hex(analogNibble(m_written, i)));
    }

    void compareArchiveCrescendo() {
        if (held(archiveCrescendo) != written(archiveCrescendo))
            sayOfManual(archiveCrescendo, "the archive crescendo byte holds " + hex(held(archiveCrescendo)) +
                                              ", shown as " + hex(written(archiveCrescendo)) +
                                              " (its two lowest bits are not used)");
    }

    void compareVelocity(int i) {
        const int position = velocity + i;
        const std::uint8_t from = held(position);
        if (from == written(position))
            return;
        const std::string channel = "channel " + std::to_string(i + 1);
        const int shownValue = written(position) & 0x7F;
        if (from == fixedVelocityZero)
            sayOfManual(position, theProduct() + " holds a fixed velocity of 0 on " + channel +
                                      ", shown as " + std::to_string(shownValue));
        else if (from == sensingWithValueZero)
            sayOfManual(position, channel + " senses velocity with a stored value 0, shown as " +
                                      std::to_string(shownValue));
        else
            sayOfManual(position, "the velocity byte of " + channel + " is " + hex(from) + ", shown as " +
                                      hex(written(position)));
    }

    void comparePiston(int k) {
        const int index = pistonIndexOf(m_manual - 1, k);
        const std::string record = manualWithName(m_names, m_manual) + ", " + pistonWithLabel(m_names, index);
        const std::string shown = pistonFunctionWithDetail(m_shown.pistons[static_cast<std::size_t>(index)]);
        const int main = pistonEntry(mainEntries, k);
        if (entryHex(m_held, main) != entryHex(m_written, main)) {
            const bool unknown = m_shown.pistons[static_cast<std::size_t>(index)].functionGroup == 0 &&
                                 entryHex(m_held, main) != "FF FF";
            say(main, record,
                theProduct() + " holds the entry " + entryHex(m_held, main) +
                    (unknown ? ", which this program does not know" : "") + ", shown as " + shown + " (" +
                    entryHex(m_written, main) + ")");
        }
        compareBankEntry(record, shown, pistonEntry(bankMsbEntries, k), true);
        compareBankEntry(record, shown, pistonEntry(bankLsbEntries, k), false);
    }

    void compareBankEntry(const std::string& record, const std::string& shown, int position, bool msbRow) {
        if (!holdsBankEntry(m_held, position, msbRow) ||
            entryHex(m_held, position) == entryHex(m_written, position))
            return;
        say(position, record,
            theProduct() + " holds the bank select " + (msbRow ? "MSB" : "LSB") + " entry " +
                entryHex(m_held, position) + ", shown as " + shown + " (" + entryHex(m_written, position) +
                ")");
    }

    std::span<const std::uint8_t> m_held;
    int m_manual;
    std::uint8_t m_hardwareType;
    const ConsoleNames& m_names;
    ConfigModel m_shown;
    ImageBuffer m_written{};
    std::vector<HiddenDifference> m_differences;
};

// Padded where it is short, so that positions past its end read as a fresh buffer's.
ImageBuffer heldBuffer(std::span<const std::uint8_t> held) {
    ImageBuffer image = newProgramImage();
    std::copy_n(held.begin(), std::min(held.size(), programImageSize), image.begin());
    return image;
}

} // namespace

ImageBuffer shownImage(std::span<const std::uint8_t> held, int manual, std::uint8_t hardwareType) {
    ConfigModel shown;
    decodeProgramImage(shown, manual, held);
    shown.hardwareType = hardwareType;
    return encodedManual(shown, manual);
}

std::vector<HiddenDifference> hiddenDifferences(std::span<const std::uint8_t> held, int manual,
                                                std::uint8_t hardwareType, const ConsoleNames& names) {
    if (held.size() < static_cast<std::size_t>(lastDecodedPosition))
        return {};
    const ImageBuffer image = heldBuffer(held);
    return Comparison(std::span<const std::uint8_t>(image).first(programImageSize), manual, hardwareType,
                      names)
        .differences();
}

} // namespace zkt
