// What a board holds that the editors show otherwise, said in words; bytes no setting uses are
// never a difference.

#include "model/example_organ.h"
#include "model/hidden_differences.h"
#include "model/image_layout.h"
#include "model/program_image.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using namespace imagepos;

constexpr std::uint8_t hardwareType = 18;

Bytes exampleImage() {
    ConfigModel organ = exampleOrgan(1);
    organ.hardwareType = hardwareType;
    const ImageBuffer image = encodedManual(organ, 1);
    return Bytes(image.begin(), image.begin() + programImageSize);
}

TEST(HiddenDifferences, NamesWhatTheBoardHoldsOtherwiseThanShown) {
    const struct {
        const char* name;
        std::vector<std::pair<int, std::uint8_t>> bytes; // 1-based position, value held
        const char* said;                                // empty: nothing to say
    } cases[] = {
        {"an image this program wrote", {}, ""},
        {"fixed velocity 0",
         {{velocity + 2, 0x00}},
         "Manual 1: the ZKT holds a fixed velocity of 0 on channel 3, shown as 127"},
        {"sensing with value 0",
         {{velocity + 4, 0x80}},
         "Manual 1: channel 5 senses velocity with a stored value 0, shown as 127"},
        {"another hardware type's format byte",
         {{formatByte, 0x12}},
         "Manual 1: the format byte of the ZKT's image is 12, where the hardware type its MCU reports (18) "
         "calls for 13"},
        {"no analog input, switched on",
         {{analogNibbles + 1, 0x07}},
         "Manual 1: channel 3 names no analog input (input code 3) and switches it on, shown as Input 1, "
         "switched off"},
        {"archive crescendo's unused bits",
         {{archiveCrescendo, 0x3B}},
         "Manual 1: the archive crescendo byte holds 3B, shown as 38 (its two lowest bits are not used)"},
        {"a main entry this program does not know",
         {{pistonEntry(mainEntries, 4), 0x85}, {pistonEntry(mainEntries, 4) + 1, 0x40}},
         "Manual 1, piston 5: the ZKT holds the entry 85 40, which this program does not know, shown as "
         "Unassigned (FF FF)"},
        {"a bank MSB on another channel than its LSB",
         {{pistonEntry(mainEntries, 1), 0xFF},
          {pistonEntry(mainEntries, 1) + 1, 0xFF},
          {pistonEntry(bankMsbEntries, 1), 0x42},
          {pistonEntry(bankMsbEntries, 1) + 1, 0x85},
          {pistonEntry(bankLsbEntries, 1), 0x43},
          {pistonEntry(bankLsbEntries, 1) + 1, 0x10}},
         "Manual 1, piston 2: the ZKT holds the bank select MSB entry 42 85, shown as "},
        // Bytes no setting uses.
        {"a reserved byte", {{2, 0x00}, {40, 0x12}, {150, 0x00}, {255, 0x00}}, ""},
        {"the markers", {{pistonsMarker, 0x00}, {trailingMarker + 1, 0x00}}, ""},
        {"a bank row without an entry",
         {{pistonEntry(bankLsbEntries, 7), 0x00}, {pistonEntry(bankLsbEntries, 7) + 1, 0x00}},
         ""},
    };
    for (const auto& c : cases) {
        Bytes held = exampleImage();
        for (const auto& [position, value] : c.bytes)
            setImageByte(held, position, value);
        const std::vector<HiddenDifference> said = hiddenDifferences(held, 1, hardwareType, {});
        if (std::string(c.said).empty()) {
            EXPECT_TRUE(said.empty()) << c.name << ": " << said.front().text;
            continue;
        }
        ASSERT_EQ(said.size(), 1u) << c.name;
        EXPECT_EQ(said[0].text.rfind(c.said, 0), 0u) << c.name << ": " << said[0].text;
    }
}

TEST(HiddenDifferences, ShownImageIsWhatAWriteOfTheUnchangedManualStores) {
    Bytes held = exampleImage();
    setImageByte(held, velocity, 0x00);
    setImageByte(held, 40, 0x12);
    const ImageBuffer shown = shownImage(held, 1, hardwareType);
    EXPECT_EQ(imageByte(shown, velocity), 0x7F);
    EXPECT_EQ(imageByte(shown, 40), 0xFF);
    // Names call the manual and its pistons as the configuration does.
    ConsoleNames names;
    names.manualNames[0] = "Great";
    EXPECT_EQ(hiddenDifferences(held, 1, hardwareType, names).at(0).text.rfind("Manual 1 (Great): ", 0), 0u);
}

} // namespace
} // namespace zkt
