#include "link/transmit_queue.h"

#include "support/link_fakes.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::bytesOf;
using test::FakePort;
using Result = TransmitQueue::PumpResult;

class TransmitQueueTest : public ::testing::Test {
protected:
    TransmitQueueTest() {
        notices.log = [this](const std::string& line) { logLines.push_back(line); };
        notices.userMessage = [this](const std::string& text) { userMessages.push_back(text); };
        selection.midiInSelection = 1;
        selection.midiOutSelection = 2;
    }

    FakePort port;
    ManualClock clock;
    MidiSelection selection;
    LinkNotices notices;
    std::vector<std::string> logLines;
    std::vector<std::string> userMessages;
    TransmitQueue queue{port, clock, selection, notices};
};

TEST_F(TransmitQueueTest, OpensThePortsOnTheFirstTickAndSendsOneMessagePerTick) {
    const Bytes first = bytesOf({0xF0, 0x01, 0xF7});
    const Bytes second = bytesOf({0xF0, 0x02, 0xF7});
    queue.queueMessage(first);
    queue.queueMessage(second);
    EXPECT_EQ(queue.queueLength(), 3u);

    EXPECT_EQ(queue.pumpQueue(false), Result::openedPorts);
    EXPECT_EQ(port.openedInput, 0);
    EXPECT_EQ(port.openedOutput, 0);
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(queue.pumpQueue(false), Result::sent);
    EXPECT_EQ(queue.pumpQueue(false), Result::sent);
    EXPECT_EQ(queue.pumpQueue(false), Result::empty);
    EXPECT_EQ(port.sent, (std::vector<Bytes>{first, second}));
}

TEST_F(TransmitQueueTest, ClosingTheInputMakesTheNextMessageReopenThePorts) {
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    queue.pumpQueue(false);
    queue.pumpQueue(false);
    queue.closeInput();
    EXPECT_FALSE(port.isInputOpen());
    EXPECT_FALSE(selection.portsOpen);

    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.queueLength(), 2u);
    EXPECT_EQ(queue.pumpQueue(false), Result::openedPorts);
    EXPECT_EQ(port.inputOpens, 2);
}

TEST_F(TransmitQueueTest, PacedMessagesLeaveNoCloserThanThePauseWithoutBlocking) {
    for (int i = 0; i < 3; ++i)
        queue.queueMessage(bytesOf({0xF0, i, 0xF7}));
    queue.pumpQueue(true); // open request
    std::vector<Micros> sendTimes;
    for (int tick = 0; tick < 20 && queue.queueLength() > 0; ++tick) {
        if (queue.pumpQueue(true) == Result::sent)
            sendTimes.push_back(clock.now());
        clock.advance(Micros{100'000});
    }
    ASSERT_EQ(sendTimes.size(), 3u);
    EXPECT_EQ(sendTimes[1] - sendTimes[0], TransmitQueue::writePause);
    EXPECT_EQ(sendTimes[2] - sendTimes[1], TransmitQueue::writePause);
    EXPECT_FALSE(queue.pauseOver());
    clock.advance(TransmitQueue::writePause);
    EXPECT_TRUE(queue.pauseOver());
}

TEST_F(TransmitQueueTest, UnpacedMessagesFollowEachOtherOnConsecutiveTicks) {
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    queue.pumpQueue(false);
    EXPECT_EQ(queue.pumpQueue(false), Result::sent);
    EXPECT_EQ(queue.pumpQueue(false), Result::sent);
}

struct SelectionCase {
    const char* name;
    int outputs;
    int inputs;
    int outSelection;
    int inSelection;
    int expectedOut;
    int expectedIn;
    bool opens;
};

class SelectionCorrection : public TransmitQueueTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionCorrection, FitsStaleSelectionsToTheDevicesPresent) {
    const SelectionCase& c = GetParam();
    port.outputs.assign(static_cast<std::size_t>(c.outputs), "out");
    port.inputs.assign(static_cast<std::size_t>(c.inputs), "in");
    selection.midiOutSelection = static_cast<std::int16_t>(c.outSelection);
    selection.midiInSelection = static_cast<std::int16_t>(c.inSelection);
    queue.ensurePortsOpen();
    EXPECT_EQ(selection.midiOutSelection, c.expectedOut);
    EXPECT_EQ(selection.midiInSelection, c.expectedIn);
    EXPECT_EQ(selection.portsOpen, c.opens);
    EXPECT_EQ(queue.queueLength(), c.opens ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Devices, SelectionCorrection,
                         ::testing::Values(SelectionCase{"LastOutputStillFits", 2, 1, 3, 1, 3, 1, true},
                                           SelectionCase{"OutputGoneTakesDefault", 2, 1, 4, 1, 1, 1, true},
                                           SelectionCase{"NoOutputAtAll", 0, 1, 4, 1, 0, 1, false},
                                           SelectionCase{"InputGoneTakesFirst", 2, 2, 2, 3, 2, 1, true},
                                           SelectionCase{"NoInputAtAll", 2, 0, 2, 1, 2, 0, false},
                                           SelectionCase{"NothingChosen", 2, 1, 0, 1, 0, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransmitQueueTest, DefaultOutputOpensTheFirstDeviceAndOthersTheirNumber) {
    selection.midiOutSelection = defaultOutputSelection;
    queue.openOutput();
    EXPECT_EQ(port.openedOutput, 0);
    selection.midiOutSelection = 3;
    queue.openOutput();
    EXPECT_EQ(port.openedOutput, 1);
}

TEST_F(TransmitQueueTest, MessagesWithoutAnOutputGoNowhereAndTheQueueMovesOn) {
    port.outputs.clear();
    selection.midiOutSelection = 0;
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.pumpQueue(false), Result::sent);
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(queue.queueLength(), 0u);
}

TEST_F(TransmitQueueTest, OpenFailureIsLoggedAndShownAndTheQueueGoesOn) {
    port.failOpenOutput = true;
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.pumpQueue(false), Result::openedPorts);
    EXPECT_EQ(logLines, std::vector<std::string>{"MIDI error opening MIDI tx stream."});
    EXPECT_EQ(userMessages, std::vector<std::string>{"output device busy"});
    EXPECT_EQ(queue.queueLength(), 1u);
}

TEST_F(TransmitQueueTest, HarmlessErrorCodesAreOnlyLogged) {
    for (int code : {0, 8, 3})
        queue.reportOutputError(code, "code " + std::to_string(code));
    EXPECT_EQ(logLines.size(), 3u);
    EXPECT_EQ(userMessages, std::vector<std::string>{"code 3"});
}

} // namespace
} // namespace zkt
