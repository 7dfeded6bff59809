#include "model/image_layout.h"
#include "model/program_image.h"
#include "piston_records.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::piston;
using namespace imagepos;

struct Entry {
    int first;
    int second;
    bool operator==(const Entry&) const = default;
};

Entry entryAt(const ImageBuffer& image, int firstPosition, int k) {
    return {imageByte(image, pistonEntry(firstPosition, k)),
            imageByte(image, pistonEntry(firstPosition, k) + 1)};
}

// A model whose manual 1 encodes without overflow (its archive channel is set).
ConfigModel encodableModel() {
    ConfigModel model;
    model.keyboards[0].archiveChannel = 1;
    return model;
}

TEST(NewProgramImage, FfThenZeros) {
    const ImageBuffer image = newProgramImage();
    EXPECT_EQ(imageByte(image, 1), 0xFF);
    EXPECT_EQ(imageByte(image, 255), 0xFF);
    for (int position = 256; position <= 260; ++position) {
        EXPECT_EQ(imageByte(image, position), 0x00);
    }
}

TEST(EncodeProgramImage, MainEntries) {
    struct Case {
        const char* name;
        pistonInfo piston;
        Entry expected;
    };
    const Case cases[] = {
        {"unassigned", piston(0, -1, 0, 0), {0xFF, 0xFF}},
        {"coupler A to B", piston(1, 3, 1, 0), {0x00, 0x17}},
        {"coupler outside its list", piston(1, 9, 2, 0), {0x01, 0x00}},
        {"tremulant", piston(2, 2, 5, 0), {0x04, 89}},
        {"general cancel", piston(3, 0, 16, 0), {0x0F, 160}},
        {"choir cancel", piston(3, 3, 1, 0), {0x00, 92}},
        {"general", piston(4, 29, 1, 0), {0x00, 158}},
        {"set", piston(5, 0, 2, 0), {0x01, 94}},
        {"sfz", piston(6, 0, 2, 0), {0x01, 95}},
        {"program 128", piston(7, 0, 16, 128), {0x1F, 0x7F}},
        {"plexo reverb +", piston(8, 55, 1, 0), {0x20, 91}},
        {"bank select without program", piston(9, 0, 4, 0), {0xFF, 0xFF}},
        {"hx-90 tremulant", piston(10, 0, 1, 127), {0x80, 0xFF}},
        {"hx-90 tremulant 0 goes unrecognised", piston(10, 0, 1, 0), {0x80, 0x80}},
        {"hx-90 cancel", piston(11, 0, 9, 0), {0x88, 0x00}},
        {"note 60", piston(12, 0, 1, 61), {0x70, 0x3C}},
        {"all notes off on one channel", piston(13, 1, 3, 0), {0x72, 0x80}},
        {"all notes off on all channels", piston(13, 0, 3, 0, true), {0x72, 0xC0}},
        {"larkmoor", piston(14, 18, 10, 0), {0x9A, 0x12}},
        {"larkmoor num 0", piston(14, 0, 0, 0), {0x90, 0x00}},
        {"unknown group", piston(15, 0, 1, 1), {0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigModel model = encodableModel();
        model.pistons[7] = c.piston;
        const ImageBuffer image = encodedManual(model, 1);
        EXPECT_EQ(entryAt(image, mainEntries, 7), c.expected);
        EXPECT_EQ(entryAt(image, bankMsbEntries, 7), (Entry{0xFF, 0xFF}));
        EXPECT_EQ(entryAt(image, bankLsbEntries, 7), (Entry{0xFF, 0xFF}));
    }
}

TEST(EncodeProgramImage, BankSelect) {
    ConfigModel model = encodableModel();
    pistonInfo& p = model.pistons[pistonIndexOf(2, 19)];
    model.keyboards[2].archiveChannel = 1;
    p = piston(9, 1, 2, 1);
    p.bankSelMSBFlag = p.bankSelLSBFlag = p.bankSelProgramFlag = true;
    p.bankSelMSB = 5;
    p.bankSelLSB = 0;
    ImageBuffer image = encodedManual(model, 3);
    EXPECT_EQ(entryAt(image, bankMsbEntries, 19), (Entry{0x41, 0x85}));
    EXPECT_EQ(entryAt(image, bankLsbEntries, 19), (Entry{0x41, 0x00}));
    EXPECT_EQ(entryAt(image, mainEntries, 19), (Entry{0x11, 0x00}));

    // Re-encoding into a used buffer keeps bank entries whose flags are now clear.
    p.bankSelMSBFlag = false;
    p.bankSelLSB = 9;
    encodeProgramImage(model, 3, image);
    EXPECT_EQ(entryAt(image, bankMsbEntries, 19), (Entry{0x41, 0x85}));
    EXPECT_EQ(entryAt(image, bankLsbEntries, 19), (Entry{0x41, 0x09}));
}

TEST(EncodeProgramImage, KeyboardChannelsAndFixedBytes) {
    ConfigModel model;
    constexpr int m = 3;
    model.keyboards[m] = {4, 2, 0x5A, 1 + 4 + 32768};
    const auto slot = [](int channel) { return static_cast<std::size_t>(channelSlotOf(m, channel)); };
    model.channelTranspose[slot(1)] = 0;
    model.channelTranspose[slot(16)] = 127;
    model.channelVelocity[slot(2)] = 0;
    model.channelVelocity[slot(3)] = 0x80;
    model.shoes[slot(1)] = {2, true, true};   // nibble 6
    model.shoes[slot(2)] = {1, false, false}; // nibble 9
    model.shoes[slot(16)] = {7, false, true}; // input out of range: nibble C

    ImageBuffer image = newProgramImage();
    encodeProgramImage(model, 4, image);
    EXPECT_EQ(imageByte(image, formatByte), 18);
    EXPECT_EQ(imageByte(image, channelEnableLow), 0x05);
    EXPECT_EQ(imageByte(image, channelEnableHigh), 0x80);
    EXPECT_EQ(imageByte(image, archiveCrescendo), 0x38);
    EXPECT_EQ(imageByte(image, keyboardConfig), 0x5A);
    EXPECT_EQ(imageByte(image, analogNibbles), 0x96);
    EXPECT_EQ(imageByte(image, analogNibbles + 1), 0x88);
    EXPECT_EQ(imageByte(image, analogNibbles + 7), 0xC8);
    EXPECT_EQ(imageByte(image, transposition), 0);
    EXPECT_EQ(imageByte(image, transposition + 1), defaultTranspose);
    EXPECT_EQ(imageByte(image, transposition + 15), 127);
    EXPECT_EQ(imageByte(image, velocity), defaultVelocity);
    EXPECT_EQ(imageByte(image, velocity + 1), 0x00);
    EXPECT_EQ(imageByte(image, velocity + 2), 0x80);
    EXPECT_EQ(imageByte(image, pistonsMarker), 0x60);
    EXPECT_EQ(imageByte(image, pistonsMarker + 1), 0x00);
    EXPECT_EQ(imageByte(image, trailingMarker), 0x60);
    EXPECT_EQ(imageByte(image, trailingMarker + 1), 0x01);
    for (const int reserved : {2, 30, 36, 38, 50, 91, 98, 139, 192, 253, 255}) {
        EXPECT_EQ(imageByte(image, reserved), 0xFF) << reserved;
    }
    EXPECT_EQ(imageByte(image, 256), 0x00);

    model.hardwareType = 18;
    EXPECT_EQ(imageByte(encodedManual(model, 4), formatByte), 19);

    // Analog nibbles overwrite whatever the buffer held.
    std::fill(image.begin(), image.end(), 0x00);
    encodeProgramImage(model, 4, image);
    EXPECT_EQ(imageByte(image, analogNibbles), 0x96);

    // Encoding twice into fresh buffers gives the same image.
    EXPECT_EQ(encodedManual(model, 4), encodedManual(model, 4));
}

TEST(EncodeProgramImage, OverflowNamesManualRecordFieldAndValue) {
    struct Case {
        pistonInfo piston;
        const char* message;
    };
    pistonInfo bankMsb = piston(9, 0, 1, 0);
    bankMsb.bankSelMSBFlag = true;
    bankMsb.bankSelMSB = -1;
    pistonInfo bankProgram = piston(9, 0, 1, 0);
    bankProgram.bankSelProgramFlag = true;
    const Case cases[] = {
        {piston(7, 0, 3, 0), "Manual 2, piston 5 (Program Change): programNumber 0 does not fit in a byte"},
        {piston(1, 0, 0, 0), "Manual 2, piston 5 (Ahlborn Coupler): midiChannel 0 does not fit in a byte"},
        {piston(12, 0, 1, 300), "Manual 2, piston 5 (Note On/Off): programNumber 300 does not fit in a byte"},
        {piston(4, 200, 1, 0),
         "Manual 2, piston 5 (Ahlborn General): functionType 200 does not fit in a byte"},
        {piston(14, 0, -1, 0), "Manual 2, piston 5 (LARKMOOR Piston): midiChannel -1 does not fit in a byte"},
        {bankMsb, "Manual 2, piston 5 (Bank Select): bankSelMSB -1 does not fit in a byte"},
        {bankProgram, "Manual 2, piston 5 (Bank Select): programNumber 0 does not fit in a byte"},
    };
    for (const auto& c : cases) {
        ConfigModel model;
        model.keyboards[1].archiveChannel = 1;
        model.pistons[pistonIndexOf(1, 4)] = c.piston;
        try {
            encodedManual(model, 2);
            ADD_FAILURE() << "no overflow for: " << c.message;
        } catch (const EncodeOverflow& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }

    ConfigModel fresh;
    try {
        encodedManual(fresh, 3);
        ADD_FAILURE() << "archive channel 0 encoded";
    } catch (const EncodeOverflow& e) {
        EXPECT_STREQ(e.what(), "Manual 3, keyboard: archiveChannel 0 does not fit in a byte");
    }
    fresh.keyboards[2] = {16, 4, 0, 0};
    try {
        encodedManual(fresh, 3);
        ADD_FAILURE() << "archive input 4 on channel 16 encoded";
    } catch (const EncodeOverflow& e) {
        EXPECT_STREQ(e.what(), "Manual 3, keyboard: archiveInput 4 does not fit in a byte");
    }
    ImageBuffer image = newProgramImage();
    EXPECT_THROW(encodeProgramImage(fresh, 0, image), std::out_of_range);
    EXPECT_THROW(encodeProgramImage(fresh, 6, image), std::out_of_range);
}

} // namespace
} // namespace zkt
