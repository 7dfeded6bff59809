// A returned tag whose count no chain can have. Found by fuzzing the dispatcher: such a
// count used to be stored as the number of manuals, which everything else indexes by.

#include "link/transfer_engine.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

namespace zkt::test {
namespace {

class ReturnedTag : public ::testing::TestWithParam<int> {};

TEST_P(ReturnedTag, InvalidCountLeavesNoManualsAndKeepsChecking) {
    FakePort port;
    ManualClock clock;
    RecordingObserver status;
    ConfigModel model;
    model.numberOfManuals = 3;
    TransferEngine engine(model, port, clock, status);
    engine.selection().midiInSelection = 1;
    engine.selection().midiOutSelection = 2;
    engine.startLoad();

    engine.dispatchMessage(bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, GetParam(), 0xF7}));

    EXPECT_EQ(engine.loading().numberOfManuals, 0);
    EXPECT_EQ(model.numberOfManuals, 3); // a load changes the configuration only once it is complete
    EXPECT_EQ(engine.status().state, TransferState::cablingCheck);
    EXPECT_EQ(status.lines().back(), "Invalid number of manuals detected!");
}

INSTANTIATE_TEST_SUITE_P(CountsNoChainHas, ReturnedTag, ::testing::Values(0x00, 0x01, 0x07, 0x10, 0x7F));

} // namespace
} // namespace zkt::test
