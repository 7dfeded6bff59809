// RtMidiPort against a running JACK server (started by the CTest fixture): two ports of this
// process wired to each other through virtual ports.

#include "link/rtmidi/rtmidi_port.h"
#include "model/bytes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <unistd.h>

namespace zkt {
namespace {

using namespace std::chrono_literals;

// A bound on waiting for the server, not a measure of speed.
constexpr auto patience = 10s;

int deviceNamed(const std::vector<std::string>& names, const std::string& part) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].find(part) != std::string::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Bytes sysEx(std::size_t size, std::uint8_t fill) {
    Bytes message(size, fill);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

class RtMidiPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        sender.openVirtualOutput(outName);
        receiver.setReceiveNotifier([this] { ++notified; });
        const auto deadline = std::chrono::steady_clock::now() + patience;
        int device = -1;
        while (device < 0 && std::chrono::steady_clock::now() < deadline) {
            device = deviceNamed(receiver.inputNames(), outName);
            std::this_thread::sleep_for(50ms);
        }
        ASSERT_GE(device, 0) << "virtual output never appeared";
        receiver.openInput(device);
    }

    // Sends until one whole message comes back: JACK drops the events of a missed cycle.
    std::optional<Bytes> roundTrip(const Bytes& message) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            sender.sendSysEx(message);
            for (int wait = 0; wait < 20; ++wait) {
                std::this_thread::sleep_for(10ms);
                if (auto received = receiver.takeReceived()) {
                    return received;
                }
            }
        }
        return std::nullopt;
    }

    const std::string outName = "rtmidi-port-test-" + std::to_string(::getpid());
    RtMidiPort sender{MidiApi::jack, "rtmidi-port-test-tx"};
    RtMidiPort receiver{MidiApi::jack, "rtmidi-port-test-rx"};
    std::atomic<int> notified{0};
};

TEST_F(RtMidiPortTest, LongSysExArrivesWholeAndTheOwnerIsNotified) {
    const Bytes message = sysEx(305, 0x55);
    EXPECT_EQ(roundTrip(message), message);
    EXPECT_GE(notified.load(), 1);
    EXPECT_EQ(receiver.api(), MidiApi::jack);
}

TEST_F(RtMidiPortTest, ClosedInputDeliversNothingAndReopens) {
    ASSERT_TRUE(roundTrip(sysEx(9, 0x01)));
    receiver.closeInput();
    EXPECT_FALSE(receiver.isInputOpen());
    sender.sendSysEx(sysEx(9, 0x02));
    // Absence can only be shown by waiting; on a slow machine this proves less, never fails.
    std::this_thread::sleep_for(200ms);
    while (auto stale = receiver.takeReceived()) {
        EXPECT_NE(*stale, sysEx(9, 0x02));
    }

    receiver.openInput(deviceNamed(receiver.inputNames(), outName));
    EXPECT_EQ(roundTrip(sysEx(9, 0x03)), sysEx(9, 0x03));
}

// The lists hold other programs' ports only: a port of our own must never be taken for the
// device, or a load would talk to itself.
TEST_F(RtMidiPortTest, OwnPortsNeverAppearInItsOwnLists) {
    EXPECT_EQ(deviceNamed(sender.inputNames(), outName), -1);
    EXPECT_GE(deviceNamed(receiver.inputNames(), outName), 0);
    for (const std::string& name : receiver.outputNames())
        EXPECT_EQ(name.find("rtmidi-port-test-rx"), std::string::npos) << name;
}

TEST_F(RtMidiPortTest, MisuseIsReportedAsMidiError) {
    const int inputs = static_cast<int>(receiver.inputNames().size());
    try {
        receiver.openInput(inputs);
        FAIL() << "opening a device past the end must throw";
    } catch (const MidiError& e) {
        EXPECT_NE(std::string(e.what()).find("there are " + std::to_string(inputs)), std::string::npos)
            << e.what();
    }
    EXPECT_THROW(sender.sendSysEx(Bytes{0x90, 0x3C, 0x40}), MidiError);
    EXPECT_THROW(receiver.sendSysEx(sysEx(6, 0)), MidiError); // its output was never opened
    EXPECT_THROW(receiver.openOutput(-1), MidiError);
}

} // namespace
} // namespace zkt
