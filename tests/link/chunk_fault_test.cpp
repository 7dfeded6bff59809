#include "sim/simulated_chain_faults.h"
#include "support/transfer_rig.h"

#include <gtest/gtest.h>

#include <string>

namespace zkt {
namespace {

using test::TransferRig;

struct ChunkFault {
    FaultKind kind;
    std::size_t length; // wrongLength; 0 = one byte short
    bool alwaysCompletes;
};

// Damaged or repeated program responses, in both answer modes, hitting each chunk in turn:
// a load either ends with exactly the MCUs' images or keeps waiting; it never ends with
// anything else.
TEST(ChunkFaults, ALoadEndsWithTheChainsImagesOrNotAtAll) {
    const ChunkFault faults[] = {
        {FaultKind::duplicate, 0, true},     {FaultKind::corruptData, 0, false},
        {FaultKind::wrongLength, 0, false},  {FaultKind::wrongLength, 88, false},
        {FaultKind::wrongLength, 96, false}, {FaultKind::wrongLength, 307, false},
        {FaultKind::wrongLength, 40, false},
    };
    for (const ResponseMode mode : {ResponseMode::fourChunks, ResponseMode::singleMessage}) {
        const int chunksPerManual = mode == ResponseMode::fourChunks ? 4 : 1;
        for (const ChunkFault& f : faults) {
            for (int occurrence = 1; occurrence <= 2 * chunksPerManual; ++occurrence) {
                const std::string name = "mode " + std::to_string(static_cast<int>(mode)) + ", fault " +
                                         std::to_string(static_cast<int>(f.kind)) + ", length " +
                                         std::to_string(f.length) + ", response " +
                                         std::to_string(occurrence);
                SimulationOptions options;
                options.mcuCount = 2;
                options.responseMode = mode;
                TransferRig rig(options);
                MessageFault fault;
                fault.kind = f.kind;
                fault.matches = isProgramResponse;
                fault.occurrence = occurrence;
                fault.length = f.length;
                rig.chain.injectFault(fault);
                rig.engine.startLoad();
                const bool ended = rig.tickUntil([&] { return rig.succeeded(); }, 400);
                EXPECT_EQ(rig.chain.counters().faultsApplied, 1) << name;
                if (f.alwaysCompletes) {
                    EXPECT_TRUE(ended) << name;
                }
                if (ended) {
                    EXPECT_TRUE(rig.loadedWhatTheChainHolds()) << name;
                    EXPECT_EQ(rig.status.lines().back(), "Ready.") << name;
                } else {
                    EXPECT_EQ(rig.status.editLoadsEnded(), 0) << name;
                    const auto waiting = rig.engine.status().state;
                    EXPECT_TRUE(waiting == TransferState::waitingForFirstChunk || waiting == TransferState::collectingChunks)
                        << name << ": state " << describeState(waiting);
                }
            }
        }
    }
}

} // namespace
} // namespace zkt
