// Which chunks a write sends: exactly those whose bytes differ from what the chain holds.

#include "link/write_plan.h"
#include "model/example_organ.h"
#include "model/image_layout.h"
#include "model/program_image.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

// An organ whose pistons 8 and 16 send bank selects, so that an edit can reach every chunk.
ConfigModel bankOrgan() {
    ConfigModel organ = exampleOrgan(1);
    organ.numberOfManuals = 1;
    for (const int k : {7, 15}) {
        pistonInfo& piston = organ.pistons[static_cast<std::size_t>(k)];
        piston = {};
        piston.functionGroup = 9;
        piston.midiChannel = 1;
        piston.bankSelMSBFlag = -1;
        piston.bankSelLSBFlag = -1;
    }
    return organ;
}

ChainRead chainHolding(const ConfigModel& organ) {
    ChainRead chain;
    const ImageBuffer image = encodedManual(organ, 1);
    chain.images.emplace_back(image.begin(), image.begin() + programImageSize);
    chain.hardwareTypes.push_back(organ.hardwareType);
    return chain;
}

TEST(WritePlan, SendsOnlyTheChunksInWhichAShownSettingChanges) {
    const ConfigModel organ = bankOrgan();
    const ChainRead chain = chainHolding(organ);
    const struct {
        const char* edit;
        void (*apply)(ConfigModel&);
        const char* chunks; // chunk 4 first, as std::bitset writes them
    } cases[] = {
        {"key offset (byte 11)", [](ConfigModel& m) { m.channelTranspose[0] = 48; }, "0001"},
        {"bank MSB of piston 8 (byte 66)", [](ConfigModel& m) { m.pistons[7].bankSelMSB = 9; }, "0010"},
        {"bank LSB of piston 16 (byte 130)", [](ConfigModel& m) { m.pistons[15].bankSelLSB = 9; }, "0100"},
        {"velocity (byte 193)", [](ConfigModel& m) { m.channelVelocity[0] = 100; }, "1000"},
        {"nothing", [](ConfigModel&) {}, "0000"},
    };
    for (const auto& c : cases) {
        ConfigModel edited = organ;
        c.apply(edited);
        const WritePlan plan = planWrite(edited, chain, organ, false);
        const ChunkSet expected(c.chunks);
        if (expected.none()) {
            EXPECT_EQ(plan.unchanged, std::vector<int>{1}) << c.edit;
            continue;
        }
        ASSERT_EQ(plan.changes.size(), 1u) << c.edit;
        EXPECT_EQ(plan.changes[0].chunks, expected) << c.edit;
        EXPECT_EQ(plan.request().chunks.at(1), expected) << c.edit;
        EXPECT_FALSE(plan.changes[0].fields.empty()) << c.edit;
        // Every manual written means every chunk of it.
        EXPECT_EQ(planWrite(edited, chain, organ, true).changes[0].chunks, everyChunk) << c.edit;
    }
}

// What the chain holds that the configuration shows otherwise is said, and written only where
// its chunk is sent or every manual is written; bytes no setting uses never make a write.
TEST(WritePlan, SaysWhatTheChainHoldsOtherwiseThanShownAndWritesItOnlyWhenAsked) {
    const ConfigModel organ = bankOrgan();
    ChainRead chain = chainHolding(organ);
    Bytes& held = chain.images[0];
    imagepos::setImageByte(held, imagepos::velocity + 2, 0x00); // fixed 0, shown as 127 (chunk 4)
    imagepos::setImageByte(held, 40, 0x55);                     // reserved (chunk 1)
    ConfigModel chainModel;
    decodeProgramImage(chainModel, 1, held);
    chainModel.numberOfManuals = 1;
    const std::string hidden =
        "    Manual 1: the ZKT holds a fixed velocity of 0 on channel 3, shown as 127.";
    const std::string allHint =
        "  To store it as shown, write every manual (\"Write every manual, also those "
        "that have not changed\", zktcli write --all).";

    // The configuration edited is the chain as loaded.
    const WritePlan untouched = planWrite(chainModel, chain, chainModel, false);
    EXPECT_EQ(untouched.unchanged, std::vector<int>{1});
    EXPECT_EQ(untouched.describe(),
              (std::vector<std::string>{"Manual 1 is unchanged and will not be written.",
                                        "  The ZKT holds what is shown otherwise here, and keeps it:", hidden,
                                        allHint}));

    ConfigModel keyOffset = chainModel;
    keyOffset.channelTranspose[0] = 48; // chunk 1: the hidden byte's chunk stays
    const std::vector<std::string> lines = planWrite(keyOffset, chain, chainModel, false).describe();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Manual 1 will be written (1 of 4 chunks): 1 setting changes:");
    EXPECT_EQ(lines[2], "  The ZKT holds what is shown otherwise here, and keeps it:");
    EXPECT_EQ(lines[3], hidden);

    ConfigModel velocity = chainModel;
    velocity.channelVelocity[0] = 100; // chunk 4: sent with the hidden byte
    EXPECT_EQ(planWrite(velocity, chain, chainModel, false).describe().at(2),
              "  The ZKT holds what is shown otherwise here; the write stores it as shown:");

    const WritePlan every = planWrite(chainModel, chain, chainModel, true);
    EXPECT_EQ(every.toWrite, std::vector<int>{1});
    EXPECT_EQ(every.describe(),
              (std::vector<std::string>{
                  "Manual 1 will be written (4 of 4 chunks): no setting changes; every manual is written.",
                  "  The ZKT holds what is shown otherwise here; the write stores it as shown:", hidden}));
}

// The chain holds no names; the configuration's call its manuals and pistons in the plan.
TEST(WritePlan, SaysManualsAndPistonsByTheConsolesNames) {
    const ConfigModel chainModel = exampleOrgan(2);
    ChainRead chain;
    for (int manual = 1; manual <= 2; ++manual) {
        const ImageBuffer image = encodedManual(chainModel, manual);
        chain.images.emplace_back(image.begin(), image.begin() + programImageSize);
        chain.hardwareTypes.push_back(chainModel.hardwareType);
    }
    ConfigModel edited = chainModel;
    edited.names.manualNames = {"Great", "Swell"};
    edited.names.pistonLabels[pistonIndexOf(1, 10)] = "General 5";
    edited.pistons[pistonIndexOf(1, 10)].programNumber = 5;
    const std::vector<std::string> lines = planWrite(edited, chain, chainModel, false).describe();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Manual 1 (Great) is unchanged and will not be written.");
    EXPECT_EQ(lines[1].rfind("Manual 2 (Swell) will be written", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("  Manual 2 (Swell), piston 11 (General 5): ", 0), 0u) << lines[2];
}

} // namespace
} // namespace zkt
