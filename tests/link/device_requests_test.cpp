#include "link/device_requests.h"

#include "link/sysex_codec.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

#include <functional>

namespace zkt {
namespace {

using test::bytesOf;

class DeviceRequestsTest : public ::testing::Test {
protected:
    DeviceRequestsTest() {
        selection.midiInSelection = 1;
        selection.midiOutSelection = 2;
    }

    // Everything queued so far, as it reaches the port.
    std::vector<Bytes> wire() {
        while (queue.pumpQueue() != TransmitQueue::PumpResult::empty) {
        }
        return port.sent;
    }

    test::FakePort port;
    ManualClock clock;
    MidiSelection selection;
    LinkNotices notices;
    TransmitQueue queue{port, clock, selection, notices};
    DeviceRequests requests{queue, [] { return false; }};
};

struct RequestCase {
    const char* name;
    std::function<void(DeviceRequests&)> send;
    std::vector<Bytes> expected;
};

class RequestBytes : public DeviceRequestsTest, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(RequestBytes, PutsExactlyTheseBytesOnTheWire) {
    GetParam().send(requests);
    EXPECT_EQ(wire(), GetParam().expected);
}

const Bytes tag = bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0x01, 0xF7});

INSTANTIATE_TEST_SUITE_P(
    Requests, RequestBytes,
    ::testing::Values(RequestCase{"Tag", [](DeviceRequests& r) { r.sendTag(); }, {tag}},
                      RequestCase{"IdentityOfManual3",
                                  [](DeviceRequests& r) { r.requestIdentity(3); },
                                  {tag, bytesOf({0xF0, 0x7E, 0x03, 0x06, 0x01, 0xF7})}},
                      RequestCase{"RebootAll",
                                  [](DeviceRequests& r) { r.rebootMcu(127); },
                                  {bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x01, 0x20, 0xF7})}},
                      RequestCase{"ProgramOfManual1Slot1",
                                  [](DeviceRequests& r) { r.requestProgram(1, 0); },
                                  {bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x01, 0x04, 0x01, 0x03, 0x00, 0x00, 0x00,
                                            0x00, 0x02, 0xF7})}},
                      RequestCase{"ProgramOfManual2Slot2",
                                  [](DeviceRequests& r) { r.requestProgram(2, 1); },
                                  {bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x02, 0x04, 0x01, 0x03, 0x00, 0x02, 0x00,
                                            0x00, 0x02, 0xF7})}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramUpdateChunks, CarryTheImageInFourAddressedPackedMessages) {
    ImageBuffer image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const auto chunks = programUpdateChunks(4, 0, image);
    const std::array<Bytes, 4> addresses{bytesOf({0x00, 0x00, 0x00}), bytesOf({0x40, 0x00, 0x00}),
                                         bytesOf({0x00, 0x01, 0x00}), bytesOf({0x40, 0x01, 0x00})};
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const Bytes& chunk = chunks[i];
        ASSERT_EQ(chunk.size(), 89u);
        EXPECT_EQ(Bytes(chunk.begin(), chunk.begin() + 10),
                  bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x04, 0x04, 0x01, 0x08, 0x00, 0x00}));
        EXPECT_EQ(Bytes(chunk.begin() + 10, chunk.begin() + 13), addresses[i]);
        EXPECT_EQ(chunk[13], 0x4A);
        EXPECT_EQ(chunk.back(), 0xF7);
        const Bytes data = unpack7(std::span(chunk).subspan(14, 74), {});
        EXPECT_EQ(data, Bytes(image.begin() + static_cast<std::ptrdiff_t>(i * 64),
                              image.begin() + static_cast<std::ptrdiff_t>(i * 64 + 64)));
    }
}

TEST(ProgramUpdateChunks, AllOnesChunkPacksToFullGroupsAndAShortLastOne) {
    ImageBuffer image{};
    image.fill(0xFF);
    const auto chunks = programUpdateChunks(1, 0, image);
    const Bytes& chunk = chunks[0];
    for (std::size_t i = 14; i < 14 + 72; ++i)
        EXPECT_EQ(chunk[i], 0x7F) << "at " << i;
    EXPECT_EQ(chunk[86], 0x40);
    EXPECT_EQ(chunk[87], 0x7F);
}

Bytes identityReplyWith(std::uint8_t year, std::uint8_t hardwareType) {
    return bytesOf({0xF0, 0x7E, 0x02, 0x06, 0x02, 0x00, 0x2F, 0x71, 0x00,         0x01, 2,   1,
                    year, 4,    17,   0x00, 0x00, 0x00, 0x01, 0x00, hardwareType, 0x00, 0xF7});
}

TEST(IdentityReply, GivesFirmwareTextAndHardwareType) {
    const struct {
        std::uint8_t year;
        const char* firmware;
    } cases[] = {
        {6, "2.1, 4/17/2006"}, {9, "2.1, 4/17/2009"}, {12, "2.1, 4/17/2012"}, {17, "2.1, 4/17/2017"}};
    for (const auto& c : cases) {
        const auto reply = decodeIdentityReply(identityReplyWith(c.year, 18));
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->firmwareVersion, c.firmware);
        EXPECT_EQ(reply->hardwareType, 18);
    }
}

TEST(IdentityReply, TooShortForItsFieldsIsRefused) {
    EXPECT_FALSE(decodeIdentityReply(bytesOf({0xF0, 0x7E, 0x01, 0x06, 0x02, 0xF7})));
    Bytes cut = identityReplyWith(6, 18);
    cut.resize(21); // hardware type present, end byte missing
    EXPECT_FALSE(decodeIdentityReply(cut));
}

} // namespace
} // namespace zkt
