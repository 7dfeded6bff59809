// Which chunks a write sends: exactly those whose bytes differ from what the chain holds.

#include "link/write_plan.h"
#include "model/example_organ.h"
#include "model/program_image.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

TEST(WritePlan, SendsOnlyTheChunksWhoseBytesDiffer) {
    ConfigModel organ = exampleOrgan(1);
    organ.numberOfManuals = 1;
    const ImageBuffer image = encodedManual(organ, 1);
    const struct {
        std::size_t position; // 0-based byte of the buffer the chain holds differently
        const char* chunks;   // chunk 4 first, as std::bitset writes them
    } cases[] = {{0, "0001"},   {63, "0001"},  {64, "0010"},  {127, "0010"}, {128, "0100"},
                 {191, "0100"}, {192, "1000"}, {255, "1000"},
                 // The buffer's last four bytes never travel, so they never make a chunk.
                 {256, "0000"}, {259, "0000"}};
    for (const auto& c : cases) {
        ChainRead chain;
        chain.images.emplace_back(image.begin(), image.end());
        chain.images[0][c.position] ^= 0x5A;
        chain.hardwareTypes.push_back(organ.hardwareType);
        const WritePlan plan = planWrite(organ, chain, organ, false);
        const ChunkSet expected(c.chunks);
        if (expected.none()) {
            EXPECT_EQ(plan.unchanged, std::vector<int>{1}) << c.position;
            continue;
        }
        ASSERT_EQ(plan.changes.size(), 1u) << c.position;
        EXPECT_EQ(plan.changes[0].chunks, expected) << c.position;
        EXPECT_EQ(plan.request().chunks.at(1), expected) << c.position;
        // Every manual written means every chunk of it.
        EXPECT_EQ(planWrite(organ, chain, organ, true).changes[0].chunks, everyChunk) << c.position;
    }
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
