#include "model/carried_values.h"
#include "model/change_words.h"
#include "model/image_layout.h"
#include "model/program_image.h"
#include "model/vocabulary.h"

#include <gtest/gtest.h>

#include <random>

namespace zkt {
namespace {

using namespace imagepos;

class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool coin() { return between(0, 1) == 1; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(between(0, 255)); }

private:
    std::mt19937 m_engine;
};

// Uniform bytes, with bank areas often holding bank entries so that bank selects and their
// combinations with main entries come up.
Bytes randomImage(Random& random) {
    Bytes image(programImageSize);
    for (auto& byte : image) {
        byte = random.byte();
    }
    for (int k = 0; k < pistonsPerManual; ++k) {
        for (const int area : {bankMsbEntries, bankLsbEntries}) {
            if (random.between(0, 3) == 0) {
                const int position = pistonEntry(area, k);
                setImageByte(image, position,
                             static_cast<std::uint8_t>(0x40 | (imageByte(image, position) & 0x0F)));
            }
        }
    }
    return image;
}

TEST(ImageProperties, RandomImagesReencodeStablyOrFailWithANamedError) {
    Random random(20261208);
    int stable = 0;
    int overflowing = 0;
    for (int run = 0; run < 3000; ++run) {
        const Bytes image = randomImage(random);
        const int manual = random.between(1, maxManuals);
        ConfigModel model;
        decodeProgramImage(model, manual, image);

        ImageBuffer first{};
        try {
            first = encodedManual(model, manual);
        } catch (const EncodeOverflow& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("Manual " + std::to_string(manual) + ", ", 0), 0u) << message;
            EXPECT_NE(message.find(" does not fit in a byte"), std::string::npos) << message;
            ++overflowing;
            continue;
        }
        ConfigModel again;
        decodeProgramImage(again, manual, first);
        ASSERT_EQ(encodedManual(again, manual), first) << "run " << run;
        ++stable;

        // Bytes the model holds unchanged come back as they were read.
        for (const int position : {channelEnableLow, channelEnableHigh, keyboardConfig}) {
            EXPECT_EQ(imageByte(first, position), imageByte(image, position)) << position;
        }
        EXPECT_EQ(imageByte(first, archiveCrescendo), imageByte(image, archiveCrescendo) & 0xFC);
        for (int i = 0; i < channelsPerManual; ++i) {
            EXPECT_EQ(imageByte(first, transposition + i), imageByte(image, transposition + i));
        }
    }
    EXPECT_GT(stable, 100);
    EXPECT_GT(overflowing, 100);
}

int numListSize(int caseNumber) {
    const auto& v = vocabulary();
    const int list = v.numListMap[static_cast<std::size_t>(FunctionGroup::larkmoorPiston)]
                                 [static_cast<std::size_t>(caseNumber)];
    return static_cast<int>(v.numLists[static_cast<std::size_t>(list)].size());
}

// A piston as the piston editor can store it: every value from a list or a check box.
pistonInfo editorPiston(Random& random) {
    const auto& lists = vocabulary().functionLists;
    pistonInfo p;
    p.functionGroup = static_cast<std::int16_t>(random.between(0, functionGroupCount - 1));
    const auto group = static_cast<FunctionGroup>(p.functionGroup);
    const int listSize = static_cast<int>(lists[static_cast<std::size_t>(p.functionGroup)].size());
    p.functionType = static_cast<std::int16_t>(listSize == 0 ? -1 : random.between(0, listSize - 1));
    p.midiChannel = static_cast<std::int16_t>(random.between(1, channelsPerManual));
    p.programNumber = static_cast<std::int16_t>(random.between(0, 200)); // ignored by most groups
    switch (group) {
    case FunctionGroup::programChange:
    case FunctionGroup::noteOnOff:
        p.programNumber = static_cast<std::int16_t>(random.between(1, 128));
        break;
    case FunctionGroup::hx90Tremulant:
        p.programNumber = static_cast<std::int16_t>(random.between(1, 127));
        break;
    case FunctionGroup::bankSelect:
        p.programNumber = static_cast<std::int16_t>(random.between(1, 128));
        p.bankSelMSBFlag = random.coin();
        p.bankSelLSBFlag = random.coin();
        p.bankSelProgramFlag = random.coin();
        p.bankSelMSB = static_cast<std::int16_t>(random.between(0, 127));
        p.bankSelLSB = static_cast<std::int16_t>(random.between(0, 127));
        break;
    case FunctionGroup::allNotesOff:
        p.bankSelProgramFlag = random.coin();
        break;
    case FunctionGroup::larkmoorPiston:
        p.midiChannel = static_cast<std::int16_t>(random.between(0, numListSize(p.functionType) - 1));
        break;
    default:
        break;
    }
    return p;
}

ConfigModel editorModel(Random& random, int manual) {
    ConfigModel model;
    const int m = manual - 1;
    keyboardInfo& kb = model.keyboards[static_cast<std::size_t>(m)];
    kb.channels = static_cast<std::uint16_t>(random.between(0, 0xFFFF));
    kb.keyboardConfig = random.byte();
    kb.archiveChannel = static_cast<std::uint8_t>(random.between(1, channelsPerManual));
    kb.archiveInput = static_cast<std::uint8_t>(random.between(0, 3));
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        const auto slot = static_cast<std::size_t>(channelSlotOf(m, channel));
        model.channelTranspose[slot] = static_cast<std::uint8_t>(random.between(0, 127));
        model.channelVelocity[slot] = random.byte();
        model.shoes[slot] = {static_cast<std::uint8_t>(random.between(0, 2)), random.coin(), random.coin()};
    }
    for (int k = 0; k < pistonsPerManual; ++k) {
        model.pistons[static_cast<std::size_t>(pistonIndexOf(m, k))] = editorPiston(random);
    }
    return model;
}

TEST(ImageProperties, EditorModelsComeBackByteForByte) {
    Random random(4711);
    for (int run = 0; run < 2000; ++run) {
        const int manual = random.between(1, maxManuals);
        const ConfigModel model = editorModel(random, manual);
        const ImageBuffer first = encodedManual(model, manual);

        ConfigModel decoded;
        decodeProgramImage(decoded, manual, first);
        ImageBuffer expected = first;
        for (int i = 0; i < channelsPerManual; ++i) {
            // The decoder shows the device's "no velocity" bytes as full values.
            const std::uint8_t byte = imageByte(first, velocity + i);
            if (byte == 0x00 || byte == 0x80) {
                setImageByte(expected, velocity + i, byte == 0x00 ? 0x7F : 0xFF);
            }
        }
        ASSERT_EQ(encodedManual(decoded, manual), expected) << "run " << run;
    }
}

// What the editors can hold is refused exactly when its images would make it mean something else:
// everything accepted reads back in the same words, and nothing refused would have.
TEST(ImageProperties, ExactlyTheRefusedValuesChangeTheirWordsThroughTheImages) {
    Random random(2026);
    int accepted = 0;
    int refused = 0;
    for (int run = 0; run < 2000; ++run) {
        ConfigModel model = editorModel(random, 1);
        model.numberOfManuals = 1;
        const ConfigModel carried = throughImages(model, 1);
        const std::vector<std::string> changed = manualChangesInWords(model, carried, carried, 1);
        const std::vector<std::string> refusals = uncarriedValues(model);
        ASSERT_EQ(refusals.empty(), changed.empty())
            << "run " << run << ": " << (changed.empty() ? refusals.front() : changed.front());
        ++(refusals.empty() ? accepted : refused);
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

} // namespace
} // namespace zkt
