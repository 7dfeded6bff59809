#include "model/hidden_differences.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
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
        m_differences.push_back({position, formatText(tr("%1: %2"), record, words)});
    }
    void sayOfManual(int position, const std::string& words) {
        say(position, manualWithName(m_names, m_manual), words);
    }

    void compareFormatByte() {
        if (held(formatByte) != written(formatByte))
            sayOfManual(formatByte,
                        formatText(tr("the format byte of the %1's image is %2, where the hardware type its "
                                      "MCU reports (%3) calls for %4"),
                                   productTag, hex(held(formatByte)), m_hardwareType,
                                   hex(written(formatByte))));
    }

    void compareAnalogInput(int i) {
        const std::uint8_t from = analogNibble(m_held, i);
        if (from == analogNibble(m_written, i))
            return;
        const int channel = i + 1;
        if ((from & analogInputBits) != noAnalogInput)
            sayOfManual(analogNibbles + i / 2,
                        formatText(tr("channel %1's analog-input bits hold %2, shown as %3"), channel,
                                   hex(from), hex(analogNibble(m_written, i))));
        else if ((from & analogInputDriven) != 0)
            sayOfManual(
                analogNibbles + i / 2,
                formatText(tr("channel %1 names no analog input (input code 3) and switches it on, shown as "
                              "Input 1, switched off"),
                           channel));
        else
            sayOfManual(
                analogNibbles + i / 2,
                formatText(tr("channel %1 names no analog input (input code 3), shown as Input 1, switched "
                              "off"),
                           channel));
    }

    void compareArchiveCrescendo() {
        if (held(archiveCrescendo) != written(archiveCrescendo))
            sayOfManual(
                archiveCrescendo,
                formatText(tr("the archive crescendo byte holds %1, shown as %2 (its two lowest bits are not "
                              "used)"),
                           hex(held(archiveCrescendo)), hex(written(archiveCrescendo))));
    }

    void compareVelocity(int i) {
        const int position = velocity + i;
        const std::uint8_t from = held(position);
        if (from == written(position))
            return;
        const int channel = i + 1;
        const int shownValue = written(position) & 0x7F;
        if (from == fixedVelocityZero)
            sayOfManual(position,
                        formatText(tr("the %1 holds a fixed velocity of 0 on channel %2, shown as %3"),
                                   productTag, channel, shownValue));
        else if (from == sensingWithValueZero)
            sayOfManual(position,
                        formatText(tr("channel %1 senses velocity with a stored value 0, shown as %2"),
                                   channel, shownValue));
        else
            sayOfManual(position, formatText(tr("the velocity byte of channel %1 is %2, shown as %3"),
                                             channel, hex(from), hex(written(position))));
    }

    void comparePiston(int k) {
        const int index = pistonIndexOf(m_manual - 1, k);
        const std::string record =
            formatText(tr("%1, %2"), manualWithName(m_names, m_manual), pistonWithLabel(m_names, index));
        const std::string shown = pistonFunctionWithDetail(m_shown.pistons[static_cast<std::size_t>(index)]);
        const int main = pistonEntry(mainEntries, k);
        if (entryHex(m_held, main) != entryHex(m_written, main)) {
            const bool unknown = m_shown.pistons[static_cast<std::size_t>(index)].functionGroup == 0 &&
                                 entryHex(m_held, main) != "FF FF";
            // TRANSLATORS: %2 is the entry's two bytes ("92 0A"), %3 what the piston is shown as, %4 the
            // bytes a write stores for it.
            say(main, record,
                formatText(
                    unknown
                        ? tr("the %1 holds the entry %2, which this program does not know, shown as %3 (%4)")
                        : tr("the %1 holds the entry %2, shown as %3 (%4)"),
                    productTag, entryHex(m_held, main), shown, entryHex(m_written, main)));
        }
        compareBankEntry(record, shown, pistonEntry(bankMsbEntries, k), true);
        compareBankEntry(record, shown, pistonEntry(bankLsbEntries, k), false);
    }

    void compareBankEntry(const std::string& record, const std::string& shown, int position, bool msbRow) {
        if (!holdsBankEntry(m_held, position, msbRow) ||
            entryHex(m_held, position) == entryHex(m_written, position))
            return;
        say(position, record,
            formatText(msbRow ? tr("the %1 holds the bank select MSB entry %2, shown as %3 (%4)")
                              : tr("the %1 holds the bank select LSB entry %2, shown as %3 (%4)"),
                       productTag, entryHex(m_held, position), shown, entryHex(m_written, position)));
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
