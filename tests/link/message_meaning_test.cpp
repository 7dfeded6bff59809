// The monitor's words for every message the program sends or recognises, and for messages
// that arrive damaged, cut short or unknown.

#include "link/message_meaning.h"
#include "link/protocol.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

#include <numeric>

namespace zkt {
namespace {

using namespace protocol;
using test::bytesOf;
constexpr auto sent = TrafficDirection::sent;
constexpr auto received = TrafficDirection::received;

Bytes chunk(std::uint8_t first) {
    Bytes data(chunkSize);
    std::iota(data.begin(), data.end(), first);
    return data;
}

Bytes withByte(Bytes message, std::size_t position, std::uint8_t value) {
    message[position - 1] = value;
    return message;
}

Bytes shortened(Bytes message, std::size_t length) {
    message.resize(length - 1);
    message.push_back(sysexEnd);
    return message;
}

IdentityFields firmware37() {
    IdentityFields fields;
    fields.firmwareMajor = 3;
    fields.firmwareMinor = 7;
    fields.hardwareType = 18;
    return fields;
}

struct MeaningCase {
    TrafficDirection direction;
    Bytes message;
    const char* meaning;
};

class MessageMeaningTest : public ::testing::TestWithParam<MeaningCase> {};

TEST_P(MessageMeaningTest, SaysWhatTheMessageIs) {
    EXPECT_EQ(messageMeaning(GetParam().direction, GetParam().message), GetParam().meaning);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMessage, MessageMeaningTest,
    ::testing::Values(
        MeaningCase{sent, tagMessage(), "→ Tag, count 1"},
        MeaningCase{received, tagMessage(4), "← Tag, count 4 (3 MCUs)"},
        MeaningCase{received, tagMessage(2), "← Tag, count 2 (1 MCU)"},
        MeaningCase{received, tagMessage(1), "← Tag, count 1 (no MCU)"},
        MeaningCase{received, tagMessage(0), "← Tag, count 0 (invalid)"},
        MeaningCase{received, tagMessage(8), "← Tag, count 8 (7 MCUs, more than a chain holds)"},
        MeaningCase{sent, identityRequest(3), "→ Identity request, manual 3"},
        MeaningCase{received, identityReply(3, firmware37()),
                    "← Identity reply, manual 3, firmware 3.7, hardware 18"},
        MeaningCase{sent, programRequest(2, 0, 256), "→ Program request, manual 2, 256 bytes at 0"},
        MeaningCase{received, programRequest(2, 256, 64), "← Program request, manual 2, 64 bytes at 256"},
        MeaningCase{received, programResponse(2, 128, chunk(0)),
                    "← Program response, manual 2, bytes 128–191"},
        MeaningCase{received, programResponse(1, 0, Bytes(programImageSize, 0xFF)),
                    "← Program response, manual 1, bytes 0–255"},
        MeaningCase{received, programResponse(allDevices, 64, {}),
                    "← Program response, all manuals, no data at 64"},
        MeaningCase{sent, programUpdate(1, 0, chunk(0x80)), "→ Program update, manual 1, bytes 0–63"},
        MeaningCase{sent, mcuReboot(allDevices), "→ Reboot, all manuals"},
        MeaningCase{received, mcuReboot(2), "← Reboot, manual 2"},
        MeaningCase{sent, loopbackTest(12, 64), "→ Loopback test 12"},
        MeaningCase{sent, programRequest(9, 0, 256), "→ Program request, device 9, 256 bytes at 0"},
        // What the wire may do to them.
        MeaningCase{received, withByte(programResponse(2, 0, chunk(0)), 40, 0x85),
                    "← Program response, manual 2, bytes 0–63, damaged: byte 85 at position 40"},
        MeaningCase{received, shortened(programRequest(2, 0, 256), 10),
                    "← Program request, manual 2, 10 bytes instead of 14"},
        MeaningCase{received, shortened(identityReply(3, firmware37()), 12),
                    "← Identity reply, manual 3, 12 bytes instead of 23"},
        MeaningCase{received, withByte(tagMessage(4), 9, 0x00), "← Tag, count 4 (3 MCUs), no F7 at the end"},
        MeaningCase{received, bytesOf({0xF0, 0x43, 0x10, 0xF7}), "← Unknown: f0 43 10 f7"},
        MeaningCase{received, bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x01, 0x04, 0x05, 0xF7}),
                    "← Unknown ZKT message: f0 00 2f 71 01 04 05 f7"},
        MeaningCase{received, Bytes{}, "← Unknown: (no bytes)"},
        // What a console plays, as the console check words it.
        MeaningCase{received, bytesOf({0x90, 0x3D, 0x64}),
                    "← Note On, note 61 on MIDI Channel 1, velocity 100"},
        MeaningCase{received, bytesOf({0x91, 0x3D, 0x00}),
                    "← Note On with velocity 0, note 61 on MIDI Channel 2"},
        MeaningCase{received, bytesOf({0x81, 0x3D, 0x40}), "← Note Off, note 61 on MIDI Channel 2"},
        MeaningCase{received, bytesOf({0xC3, 0x08}), "← Program Change #9 on MIDI Channel 4"},
        MeaningCase{received, bytesOf({0xB0, 0x00, 0x03}), "← Bank Select MSB 3 on MIDI Channel 1"},
        MeaningCase{received, bytesOf({0xB0, 0x20, 0x05}), "← Bank Select LSB 5 on MIDI Channel 1"},
        MeaningCase{received, bytesOf({0xB2, 0x07, 0x40}), "← Volume (7) on MIDI Channel 3, value 64"},
        MeaningCase{received, bytesOf({0xB2, 0x0B, 0x7F}), "← Expression (11) on MIDI Channel 3, value 127"},
        MeaningCase{received, bytesOf({0xBF, 0x7B, 0x00}), "← All Notes Off on MIDI Channel 16"},
        MeaningCase{received, bytesOf({0xB0, 0x40, 0x7F}),
                    "← Control Change 64 on MIDI Channel 1, value 127"},
        MeaningCase{received, bytesOf({0xA0, 0x3C, 0x28}),
                    "← Poly Pressure, note 60 on MIDI Channel 1, value 40"},
        MeaningCase{received, bytesOf({0xD0, 0x28}), "← Channel Pressure on MIDI Channel 1, value 40"},
        MeaningCase{received, bytesOf({0xE0, 0x00, 0x40}), "← Pitch Bend on MIDI Channel 1, value 8192"},
        MeaningCase{received, bytesOf({0x90, 0x3D}), "← Unknown: 90 3d"},
        MeaningCase{received, bytesOf({0xC0, 0x08, 0x01}), "← Unknown: c0 08 01"},
        MeaningCase{received, bytesOf({0x90, 0x3D, 0x80}), "← Unknown: 90 3d 80"}));

// Bytes from the wire may stop anywhere: every beginning of every message is read within it.
TEST(MessageMeaningCutAnywhere, EveryPrefixOfEveryMessageIsDescribed) {
    const std::vector<Bytes> messages = {tagMessage(4),
                                         identityRequest(2),
                                         identityReply(3, firmware37()),
                                         programRequest(2, 0, 256),
                                         programResponse(2, 128, chunk(0)),
                                         programUpdate(1, 0, chunk(0)),
                                         mcuReboot(1),
                                         loopbackTest(7, 16)};
    for (const Bytes& message : messages) {
        for (std::size_t length = 0; length <= message.size(); ++length) {
            const Bytes prefix(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(messageMeaning(received, prefix).empty());
        }
    }
}

} // namespace
} // namespace zkt
