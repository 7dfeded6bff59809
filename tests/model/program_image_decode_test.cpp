#include "model/image_layout.h"
#include "model/program_image.h"
#include "piston_records.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::piston;
using namespace imagepos;

struct Entry {
    std::uint8_t first;
    std::uint8_t second;
};

void setEntry(ImageBuffer& image, int firstPosition, int k, Entry entry) {
    setImageByte(image, pistonEntry(firstPosition, k), entry.first);
    setImageByte(image, pistonEntry(firstPosition, k) + 1, entry.second);
}

// Decodes one piston's entries as piston 4 of manual 2 into a freshly started model.
pistonInfo decodedPiston(Entry main, std::optional<Entry> msb = {}, std::optional<Entry> lsb = {}) {
    constexpr int k = 4;
    ImageBuffer image = newProgramImage();
    setEntry(image, mainEntries, k, main);
    if (msb) {
        setEntry(image, bankMsbEntries, k, *msb);
    }
    if (lsb) {
        setEntry(image, bankLsbEntries, k, *lsb);
    }
    ConfigModel model;
    decodeProgramImage(model, 2, image);
    return model.pistons[static_cast<std::size_t>(pistonIndexOf(1, k))];
}

TEST(DecodeProgramImage, MainEntries) {
    struct Case {
        const char* name;
        Entry main;
        pistonInfo expected;
    };
    const Case cases[] = {
        {"coupler B to A", {0x03, 0x10}, piston(1, 2, 4, 2)},
        {"general cancel", {0x03, 0xA0}, piston(3, 0, 4, 0)},
        {"general E6", {0x0F, 0x9E}, piston(4, 29, 16, 29)},
        {"program change", {0x1F, 0x00}, piston(7, 0, 16, 1)},
        {"program 128", {0x10, 0x7F}, piston(7, 0, 1, 128)},
        {"plexo below its list", {0x22, 0x10}, piston(8, -20, 3, -20)},
        {"note 60", {0x70, 0x3C}, piston(12, 0, 1, 61)},
        {"all notes off, all channels", {0x70, 0xC0}, piston(13, 0, 1, 0, true)},
        {"all notes off, one channel", {0x70, 0x80}, piston(13, 0, 1, 0)},
        {"hx-90 cancel", {0x85, 0x00}, piston(11, 0, 6, 0)},
        {"hx-90 tremulant", {0x80, 0xFF}, piston(10, 127, 1, 127)},
        {"larkmoor", {0x9A, 0x12}, piston(14, 18, 10, 18)},
        {"larkmoor beyond the case list", {0x90, 0xFF}, piston(14, 255, 0, 255)},
        {"hx-90 between its codes", {0x85, 0x40}, pistonInfo{}},
        {"program change with high bit", {0x10, 0x80}, pistonInfo{}},
        {"unknown ahlborn code", {0x00, 0x5D}, pistonInfo{}},
        {"unused kind", {0x30, 0x00}, pistonInfo{}},
        {"unused entry", {0xFF, 0xFF}, pistonInfo{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodedPiston(c.main), c.expected);
    }
}

TEST(DecodeProgramImage, BankSelectEntries) {
    pistonInfo withProgram = piston(9, 1, 16, 1);
    withProgram.bankSelProgramFlag = true;
    withProgram.bankSelMSBFlag = true;
    withProgram.bankSelMSB = 5;
    EXPECT_EQ(decodedPiston({0x1F, 0x00}, Entry{0x4F, 0x85}), withProgram);

    pistonInfo lsbOnly = piston(9, 0, 1, 0);
    lsbOnly.bankSelLSBFlag = true;
    lsbOnly.bankSelLSB = 16;
    EXPECT_EQ(decodedPiston({0xFF, 0xFF}, std::nullopt, Entry{0x40, 0x10}), lsbOnly);

    // With both entries the channel comes from the LSB entry.
    const pistonInfo both = decodedPiston({0xFF, 0xFF}, Entry{0x42, 0x80}, Entry{0x47, 0x7F});
    EXPECT_EQ(both.midiChannel, 8);
    EXPECT_TRUE(both.bankSelMSBFlag && both.bankSelLSBFlag);
    EXPECT_EQ(both.bankSelMSB, 0);
    EXPECT_EQ(both.bankSelLSB, 127);
    EXPECT_FALSE(both.bankSelProgramFlag);

    // Entries in the wrong area, or of another kind, are no bank selects.
    EXPECT_EQ(decodedPiston({0xFF, 0xFF}, Entry{0x40, 0x05}), pistonInfo{});
    EXPECT_EQ(decodedPiston({0xFF, 0xFF}, std::nullopt, Entry{0x40, 0x85}), pistonInfo{});
    EXPECT_EQ(decodedPiston({0xFF, 0xFF}, Entry{0x50, 0x85}), pistonInfo{});
}

TEST(DecodeProgramImage, NothingCarriesOverFromTheImageDecodedBefore) {
    ImageBuffer first = newProgramImage();
    setEntry(first, mainEntries, 0, {0x11, 0x04});
    setEntry(first, bankMsbEntries, 0, {0x41, 0x85});
    setEntry(first, bankLsbEntries, 0, {0x41, 0x03});
    setEntry(first, mainEntries, 1, {0x70, 0xC0});
    setEntry(first, mainEntries, 2, {0x01, 0x04});
    ConfigModel model;
    decodeProgramImage(model, 1, first);

    ImageBuffer second = newProgramImage();
    setEntry(second, bankLsbEntries, 0, {0x42, 0x07}); // LSB only now
    setEntry(second, mainEntries, 1, {0x85, 0x40});    // not recognised
    decodeProgramImage(model, 1, second);

    ConfigModel fresh;
    decodeProgramImage(fresh, 1, second);
    EXPECT_EQ(model.pistons, fresh.pistons);
    EXPECT_FALSE(model.pistons[0].bankSelMSBFlag);
    EXPECT_FALSE(model.pistons[0].bankSelProgramFlag);
    EXPECT_EQ(model.pistons[1], pistonInfo{});
    EXPECT_EQ(model.pistons[2], pistonInfo{});
}

TEST(DecodeProgramImage, KeyboardAndChannels) {
    ImageBuffer image = newProgramImage();
    setImageByte(image, channelEnableLow, 0x05);
    setImageByte(image, channelEnableHigh, 0x80);
    setImageByte(image, archiveCrescendo, 0x38);
    setImageByte(image, keyboardConfig, 0xA5);
    const std::uint8_t velocities[] = {0x80, 0x00, 0x7F, 0x81};
    for (int i = 0; i < 4; ++i) {
        setImageByte(image, velocity + i, velocities[i]);
    }
    setImageByte(image, transposition + 15, 0);
    setImageByte(image, analogNibbles, 0x7C);     // channel 1: C, channel 2: 7
    setImageByte(image, analogNibbles + 1, 0x0F); // channel 3: F, channel 4: 0

    ConfigModel model;
    decodeProgramImage(model, 5, image);
    constexpr int m = 4;
    const keyboardInfo& kb = model.keyboards[m];
    EXPECT_EQ(kb.channels, 1 + 4 + 32768);
    EXPECT_EQ(kb.archiveChannel, 4);
    EXPECT_EQ(kb.archiveInput, 2);
    EXPECT_EQ(kb.keyboardConfig, 0xA5);

    const auto slot = [](int channel) { return static_cast<std::size_t>(channelSlotOf(m, channel)); };
    EXPECT_EQ(model.channelVelocity[slot(1)], 255);
    EXPECT_EQ(model.channelVelocity[slot(2)], 127);
    EXPECT_EQ(model.channelVelocity[slot(3)], 127);
    EXPECT_EQ(model.channelVelocity[slot(4)], 129);
    EXPECT_EQ(model.channelTranspose[slot(16)], 0);
    EXPECT_EQ(model.channelTranspose[slot(15)], 0xFF);

    EXPECT_EQ(model.shoes[slot(1)], (shoeInfo{0, false, true}));
    EXPECT_EQ(model.shoes[slot(2)], (shoeInfo{0, true, false}));  // input 3 means none
    EXPECT_EQ(model.shoes[slot(3)], (shoeInfo{0, false, false})); // enabled but no input
    EXPECT_EQ(model.shoes[slot(4)], (shoeInfo{0, true, false}));

    // Other manuals are not touched.
    EXPECT_EQ(model.keyboards[0], keyboardInfo{});
    EXPECT_EQ(model.channelVelocity[static_cast<std::size_t>(channelSlotOf(3, 1))], defaultVelocity);

    setImageByte(image, archiveCrescendo, 0x0F);
    decodeProgramImage(model, 5, image);
    EXPECT_EQ(kb.archiveChannel, 1);
    EXPECT_EQ(kb.archiveInput, 3);
}

TEST(DecodeProgramImage, RejectsShortImagesAndBadManualsWithoutChangingTheModel) {
    const ImageBuffer image = newProgramImage();
    ConfigModel model;
    const ConfigModel before = model;

    const std::span<const std::uint8_t> full(image);
    EXPECT_THROW(decodeProgramImage(model, 1, full.first(lastDecodedPosition - 1)), ImageTooShort);
    EXPECT_THROW(decodeProgramImage(model, 1, {}), ImageTooShort);
    try {
        decodeProgramImage(model, 1, full.first(233));
    } catch (const ImageTooShort& e) {
        EXPECT_NE(std::string(e.what()).find("233"), std::string::npos) << e.what();
    }
    for (const int manual : {0, 6, -1})
        EXPECT_THROW(decodeProgramImage(model, manual, image), std::out_of_range);
    EXPECT_EQ(model, before);

    EXPECT_NO_THROW(decodeProgramImage(model, 1, full.first(lastDecodedPosition)));
}

} // namespace
} // namespace zkt
