#include "link/sysex_codec.h"
#include "link/transfer_engine.h"
#include "model/program_image.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::bytesOf;

Bytes returnedTag(int count) {
    return bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, count, 0xF7});
}

Bytes identityReply(int manual) {
    return bytesOf({0xF0, 0x7E, manual, 0x06, 0x02, 0x00, 0x2F, 0x71, 0x00, 0x01, 3,   4,
                    12,   5,    6,      0x00, 0x00, 0x00, 0x01, 0x00, 18,   0x00, 0xF7});
}

Bytes programResponse(std::span<const std::uint8_t> data, int address = 0, int device = 1) {
    Bytes message = bytesOf({0xF0, 0x00, 0x2F, 0x71, device, 0x04, 0x01, 0x04});
    const Bytes addressBytes = encode7bitNumber(static_cast<std::uint32_t>(address), 3);
    message.insert(message.end(), addressBytes.begin(), addressBytes.end());
    const Bytes packed = pack7(data);
    message.insert(message.end(), packed.begin(), packed.end());
    message.push_back(0xF7);
    return message;
}

Bytes patternData(std::size_t size, int seed) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 13 + static_cast<std::size_t>(seed));
    return data;
}

// An engine on a fake port, led by hand through the states a load passes.
class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest() {
        engine.selection().midiInSelection = 1;
        engine.selection().midiOutSelection = 2;
    }

    TransferState state() const { return engine.status().state; }

    void tick() {
        clock.advance(TransferEngine::tickInterval);
        engine.onTimerTick();
    }

    void tickUntilState(TransferState wanted) {
        for (int i = 0; i < 100 && state() != wanted; ++i)
            tick();
        ASSERT_EQ(state(), wanted);
    }

    // A one-manual load that has asked for its program data.
    void waitForProgramData() {
        engine.startLoad();
        engine.dispatchMessage(returnedTag(2));
        tickUntilState(TransferState::waitingForIdentity);
        engine.dispatchMessage(identityReply(1));
        tickUntilState(TransferState::waitingForFirstChunk);
    }

    test::FakePort port;
    ManualClock clock;
    ConfigModel model;
    test::RecordingObserver status;
    std::vector<std::string> log;
    TransferEngine engine{
        model, port, clock, status, {[this](const std::string& line) { log.push_back(line); }, {}}};
};

TEST_F(DispatcherTest, ReturnedTagCountsTheManualsOrReportsAnInvalidCount) {
    const struct {
        int count;
        int manuals;
        TransferState nextState;
        const char* line;
    } cases[] = {{0x04, 3, TransferState::askNextManual, "Number of manuals detected = 3"},
                 {0x06, 5, TransferState::askNextManual, "Number of manuals detected = 5"},
                 // A count no chain can have leaves no manuals behind.
                 {0x01, 0, TransferState::cablingCheck, "Invalid number of manuals detected!"},
                 {0x07, 0, TransferState::cablingCheck, "Invalid number of manuals detected!"},
                 {0x00, 0, TransferState::cablingCheck, "Invalid number of manuals detected!"}};
    for (const auto& c : cases) {
        engine.startLoad();
        engine.dispatchMessage(returnedTag(c.count));
        EXPECT_EQ(engine.loading().numberOfManuals, c.manuals) << c.count;
        EXPECT_EQ(state(), c.nextState) << c.count;
        EXPECT_EQ(status.lines().back(), c.line);
    }
}

TEST_F(DispatcherTest, MessagesInTheWrongStateOrTooShortChangeNothing) {
    engine.startLoad();
    engine.dispatchMessage(identityReply(1));
    engine.dispatchMessage(bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0xF7})); // no count
    engine.dispatchMessage(bytesOf({0xF0, 0x00, 0x2F}));
    engine.dispatchMessage({});
    EXPECT_EQ(state(), TransferState::cablingCheck);
    EXPECT_EQ(engine.loading().hardwareType, 0);

    engine.dispatchMessage(returnedTag(2));
    tickUntilState(TransferState::waitingForIdentity);
    const std::string before = status.content();
    engine.dispatchMessage(returnedTag(4)); // the echo of the identity request's tag
    engine.dispatchMessage(bytesOf({0xF0, 0x7E, 0x01, 0x06, 0x02, 0xF7}));
    engine.dispatchMessage(programResponse(patternData(256, 1)));
    EXPECT_EQ(state(), TransferState::waitingForIdentity);
    EXPECT_EQ(engine.loading().numberOfManuals, 1);
    EXPECT_EQ(status.content(), before);
    // What a state does not take is written to the program log as such.
    for (const char* ignored :
         {"Transfer state 62 (cabling check) ignored an identity reply",
          "Transfer state 40 (waiting for an identity reply) ignored the returned tag (count 4)",
          "Transfer state 40 (waiting for an identity reply) ignored program data of device 1"})
        EXPECT_NE(std::find(log.begin(), log.end(), ignored), log.end()) << ignored;
}

TEST_F(DispatcherTest, ANineByteResponseIsIgnored) {
    waitForProgramData();
    engine.dispatchMessage(bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x01, 0x04, 0x01, 0x04, 0xF7}));
    EXPECT_EQ(state(), TransferState::waitingForFirstChunk);
    EXPECT_EQ(engine.status().bytesReceived, 0);
}

TEST_F(DispatcherTest, ChunksAreCollectedUntilTheImageIsComplete) {
    waitForProgramData();
    const Bytes image = patternData(256, 5);
    for (int chunk = 0; chunk < 3; ++chunk) {
        engine.dispatchMessage(
            programResponse(std::span(image).subspan(static_cast<std::size_t>(chunk) * 64, 64), chunk * 64));
        EXPECT_EQ(state(), TransferState::collectingChunks);
        EXPECT_EQ(engine.status().bytesReceived, (chunk + 1) * 64);
    }
    engine.dispatchMessage(programResponse(std::span(image).subspan(192, 64), 192));
    EXPECT_EQ(state(), TransferState::finished);
    ConfigModel expected;
    decodeProgramImage(expected, 1, image);
    EXPECT_EQ(model.pistons, expected.pistons);
    EXPECT_EQ(model.keyboards, expected.keyboards);
    EXPECT_EQ(status.manualsRead, std::vector<int>{1});
}

// Chunks by their address: what arrives, in the order it arrives, and whether the manual
// completes with exactly the image.
TEST_F(DispatcherTest, ChunksArePlacedByTheirAddressAndOnlyTrustedDataCompletesTheManual) {
    const Bytes image = patternData(256, 5);
    const auto chunk = [&](int index) {
        return programResponse(std::span(image).subspan(static_cast<std::size_t>(index) * 64, 64),
                               index * 64);
    };
    Bytes badlyPacked = chunk(1);
    badlyPacked[40] |= 0x80;
    Bytes badAddress = chunk(1);
    badAddress[9] |= 0x80;
    Bytes padded = chunk(0);
    padded.insert(padded.end() - 1, {0x00, 0x7F}); // one more data byte, reaching into chunk 1
    Bytes shortened = chunk(2);
    shortened.erase(shortened.end() - 2); // the last packed byte lost

    const struct {
        const char* name;
        std::vector<Bytes> messages;
        bool completes;
    } cases[] = {
        {"in order", {chunk(0), chunk(1), chunk(2), chunk(3)}, true},
        {"out of order", {chunk(3), chunk(1), chunk(0), chunk(2)}, true},
        {"duplicated", {chunk(0), chunk(0), chunk(1), chunk(1), chunk(2), chunk(3)}, true},
        {"three of four, one twice", {chunk(0), chunk(1), chunk(1), chunk(3)}, false},
        {"bad byte", {chunk(0), badlyPacked, chunk(2), chunk(3)}, false},
        {"bad byte then resent", {chunk(0), badlyPacked, chunk(2), chunk(3), chunk(1)}, true},
        {"bad address", {chunk(0), badAddress, chunk(2), chunk(3)}, false},
        {"cut short", {chunk(0), chunk(1), shortened, chunk(3)}, false},
        {"another MCU's chunk",
         {chunk(0), programResponse(std::span(image).subspan(64, 64), 64, 2), chunk(2), chunk(3)},
         false},
        {"past the image", {chunk(0), chunk(1), chunk(2), programResponse(image, 192)}, false},
        {"far outside", {chunk(1), chunk(2), chunk(3), programResponse(image, 0x10000 - 64)}, false},
        // The padded chunk's extra byte contradicts chunk 1, so neither is trusted.
        {"padded", {padded, chunk(1), chunk(2), chunk(3)}, false},
        {"one message", {programResponse(image)}, true},
    };
    for (const auto& c : cases) {
        model = ConfigModel{};
        status.manualsRead.clear();
        waitForProgramData();
        for (const Bytes& message : c.messages)
            engine.dispatchMessage(message);
        EXPECT_EQ(state() == TransferState::finished, c.completes) << c.name;
        EXPECT_EQ(status.manualsRead.size(), c.completes ? 1u : 0u) << c.name;
        if (!c.completes)
            continue;
        ConfigModel expected;
        decodeProgramImage(expected, 1, image);
        EXPECT_EQ(model.pistons, expected.pistons) << c.name;
        EXPECT_EQ(model.keyboards, expected.keyboards) << c.name;
        EXPECT_EQ(model.channelTranspose, expected.channelTranspose) << c.name;
    }
}

TEST_F(DispatcherTest, ALateSecondIdentityReplyChangesNothing) {
    waitForProgramData();
    const auto tickFor = [&](int ticks) {
        for (int i = 0; i < ticks; ++i)
            tick();
    };
    tickFor(5); // the program request leaves
    const auto sentBefore = port.sent.size();
    engine.dispatchMessage(identityReply(1));
    tickFor(10); // short of the program request's retry
    EXPECT_EQ(state(), TransferState::waitingForFirstChunk);
    EXPECT_EQ(port.sent.size(), sentBefore);
}

} // namespace
} // namespace zkt
