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

    EXPECT_EQ(queue.pumpQueue(), Result::openedPorts);
    EXPECT_EQ(port.openedInput, 0);
    EXPECT_EQ(port.openedOutput, 0);
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_EQ(queue.pumpQueue(), Result::empty);
    EXPECT_EQ(port.sent, (std::vector<Bytes>{first, second}));
}

TEST_F(TransmitQueueTest, ClosingTheInputMakesTheNextMessageReopenThePorts) {
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    queue.pumpQueue();
    queue.pumpQueue();
    queue.closeInput();
    EXPECT_FALSE(port.isInputOpen());
    EXPECT_FALSE(selection.portsOpen);

    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.queueLength(), 2u);
    EXPECT_EQ(queue.pumpQueue(), Result::openedPorts);
    EXPECT_EQ(port.inputOpens, 2);
}

TEST_F(TransmitQueueTest, PacedMessagesLeaveNoCloserThanThePauseWithoutBlocking) {
    for (int i = 0; i < 3; ++i)
        queue.queueMessage(bytesOf({0xF0, i, 0xF7}), {.paced = true});
    queue.pumpQueue(); // open request
    std::vector<Micros> sendTimes;
    for (int tick = 0; tick < 20 && queue.queueLength() > 0; ++tick) {
        if (queue.pumpQueue() == Result::sent)
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
    queue.pumpQueue();
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
}

// The pause belongs to the message: whatever is queued behind a write's message waits for it,
// and a message queued unpaced starts no pause of its own.
TEST_F(TransmitQueueTest, ThePauseFollowsTheMessageNotWhatIsQueuedLater) {
    queue.queueMessage(bytesOf({0xF0, 1, 0xF7}), {.paced = true});
    queue.queueMessage(bytesOf({0xF0, 2, 0xF7}));
    queue.queueMessage(bytesOf({0xF0, 3, 0xF7}));
    queue.pumpQueue(); // open request
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_TRUE(queue.pacedMessagesQueued() == false);
    clock.advance(Micros{100'000});
    EXPECT_EQ(queue.pumpQueue(), Result::pausing);
    clock.advance(TransmitQueue::writePause);
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
}

TEST_F(TransmitQueueTest, CancellingKeepsOnlyTheRestOfTheUnitThatHasBegun) {
    for (int unit : {1, 1, 1, 2, 2})
        queue.queueMessage(bytesOf({0xF0, unit, 0xF7}), {.unit = unit});
    queue.pumpQueue(); // open request
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_EQ(queue.withdrawAllButStartedUnit(), 1);
    EXPECT_EQ(queue.queueLength(), 2u);
    queue.pumpQueue();
    queue.pumpQueue();
    EXPECT_EQ(queue.lastSentUnit(), 1);
    EXPECT_TRUE(queue.lastSentEndedUnit());
    // Nothing begun: everything goes.
    queue.queueMessage(bytesOf({0xF0, 3, 0xF7}), {.unit = 3});
    EXPECT_EQ(queue.withdrawAllButStartedUnit(), 0);
    EXPECT_EQ(queue.queueLength(), 0u);
}

struct OpenCase {
    const char* name;
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
    std::string inputName;
    std::string outputName;
    int inSelection;
    int outSelection;
    int expectedInput; // -1: the open fails
    int expectedOutput;
    const char* reported; // part of the failure or of the substitution notice; "" for none
};

class OpenByName : public TransmitQueueTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenByName, OpensTheRememberedDeviceWhereverItIsListedAndNeverAnotherSilently) {
    const OpenCase& c = GetParam();
    port.inputs = c.inputs;
    port.outputs = c.outputs;
    selection.inputName = c.inputName;
    selection.outputName = c.outputName;
    selection.midiInSelection = static_cast<std::int16_t>(c.inSelection);
    selection.midiOutSelection = static_cast<std::int16_t>(c.outSelection);
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    const Result result = queue.pumpQueue();
    const TransmitQueue::OpenReport& report = queue.lastOpenReport();
    if (c.expectedInput < 0) {
        EXPECT_EQ(result, Result::openFailed);
        EXPECT_NE(report.failure.find(c.reported), std::string::npos) << report.failure;
        EXPECT_FALSE(selection.portsOpen);
        return;
    }
    EXPECT_EQ(result, Result::openedPorts) << report.failure;
    EXPECT_EQ(port.openedInput, c.expectedInput);
    EXPECT_EQ(port.openedOutput, c.expectedOutput);
    EXPECT_NE(report.substituted.find(c.reported), std::string::npos) << report.substituted;
    EXPECT_EQ(report.substituted.empty(), std::string(c.reported).empty());
}

const std::vector<std::string> usbAndSynth{"Synth:Synth MIDI 1 24:0", "USB MIDI:USB MIDI MIDI 1 20:0"};

INSTANTIATE_TEST_SUITE_P(
    Devices, OpenByName,
    ::testing::Values(OpenCase{"RenumberedByAlsa",
                               {"USB MIDI:USB MIDI MIDI 1 28:0"},
                               usbAndSynth,
                               "USB MIDI:USB MIDI MIDI 1",
                               "USB MIDI:USB MIDI MIDI 1",
                               2,
                               2,
                               0,
                               1,
                               ""},
                      OpenCase{"MovedInTheList",
                               usbAndSynth,
                               {"USB MIDI:USB MIDI MIDI 1 20:0"},
                               "USB MIDI:USB MIDI MIDI 1",
                               "USB MIDI:USB MIDI MIDI 1",
                               1,
                               3,
                               1,
                               0,
                               ""},
                      OpenCase{"SecondOfTwoAlike",
                               {"USB MIDI 20:0", "USB MIDI 24:0"},
                               {"USB MIDI 20:0", "USB MIDI 24:0"},
                               "USB MIDI (2)",
                               "USB MIDI (2)",
                               1,
                               2,
                               1,
                               1,
                               ""},
                      OpenCase{"RememberedInputGone",
                               {"Synth 24:0"},
                               usbAndSynth,
                               "USB MIDI:USB MIDI MIDI 1",
                               "",
                               1,
                               2,
                               -1,
                               -1,
                               "\"USB MIDI:USB MIDI MIDI 1\" is not connected (connected: \"Synth\")"},
                      OpenCase{"RememberedOutputGone",
                               usbAndSynth,
                               {"Synth 24:0"},
                               "",
                               "USB MIDI:USB MIDI MIDI 1",
                               1,
                               2,
                               -1,
                               -1,
                               "MIDI output \"USB MIDI:USB MIDI MIDI 1\" is not connected"},
                      OpenCase{"OldSettingsByNumber", {"a", "b"}, {"x", "y", "z"}, "", "", 2, 4, 1, 2, ""},
                      OpenCase{"OldNumberPastTheEndSaysWhatStandsIn",
                               {"a"},
                               {"x"},
                               "",
                               "",
                               3,
                               5,
                               0,
                               0,
                               "MIDI input #3 is not there; using \"a\" instead."},
                      OpenCase{
                          "NoInputAtAll", {}, {"x"}, "", "", 1, 2, -1, -1, "There is no MIDI input device."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransmitQueueTest, MessagesWithoutAnOutputGoNowhereAndTheQueueMovesOn) {
    port.outputs.clear();
    selection.midiOutSelection = 0;
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.pumpQueue(), Result::sent);
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(queue.queueLength(), 0u);
}

TEST_F(TransmitQueueTest, AResolvedDeviceIsRememberedByNameAndTheDefaultOutputFollowsTheFirst) {
    port.inputs = {"a 14:0", "b 15:0"};
    selection.midiInSelection = 2;
    selection.midiOutSelection = defaultOutputSelection;
    queue.openInput();
    queue.openOutput();
    EXPECT_EQ(selection.inputName, "b");
    EXPECT_EQ(selection.outputName, "");
    EXPECT_EQ(port.openedOutput, 0);
    port.inputs = {"b 16:0"};
    queue.openInput();
    EXPECT_EQ(port.openedInput, 0);
}

TEST_F(TransmitQueueTest, AFailedInputOpenStillLeavesTheQueueAbleToTryAgain) {
    port.failOpenInput = true;
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.pumpQueue(), Result::openFailed);
    EXPECT_EQ(queue.lastOpenReport().failure, "input device busy");
    EXPECT_FALSE(selection.portsOpen);
    port.failOpenInput = false;
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    EXPECT_EQ(queue.queueLength(), 3u);
}

TEST_F(TransmitQueueTest, ASendTheBackendRefusesIsLoggedAndReported) {
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    queue.pumpQueue();
    port.failSend = true;
    EXPECT_EQ(queue.pumpQueue(), Result::sendFailed);
    EXPECT_EQ(queue.lastSendFailure(), "the MIDI interface was unplugged");
    EXPECT_EQ(logLines, std::vector<std::string>{"MIDI error opening MIDI tx stream."});
}

TEST_F(TransmitQueueTest, AnOpenedDeviceThatLeavesTheListsIsMissing) {
    queue.queueMessage(bytesOf({0xF0, 0xF7}));
    queue.pumpQueue();
    EXPECT_EQ(queue.missingDevice(), std::nullopt);
    port.outputs = {"out B"};
    EXPECT_EQ(queue.missingDevice(), "MIDI output \"out A\"");
}

} // namespace
} // namespace zkt
