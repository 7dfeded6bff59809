#include "link/sysex_reassembler.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

std::vector<Bytes> feedInPieces(SysExReassembler& reassembler, const Bytes& stream, std::size_t pieceSize) {
    std::vector<Bytes> out;
    for (std::size_t at = 0; at < stream.size(); at += pieceSize) {
        const std::size_t size = std::min(pieceSize, stream.size() - at);
        for (Bytes& message : reassembler.feed(std::span(stream).subspan(at, size))) {
            out.push_back(std::move(message));
        }
    }
    return out;
}

const Bytes identityRequest{0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7};
const Bytes tag{0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0x04, 0xF7};

TEST(SysExReassembler, WholeMessagesComeOutHoweverTheStreamIsCut) {
    Bytes stream = identityRequest;
    stream.insert(stream.end(), tag.begin(), tag.end());
    for (std::size_t piece = 1; piece <= stream.size(); ++piece) {
        SCOPED_TRACE(piece);
        SysExReassembler reassembler;
        EXPECT_EQ(feedInPieces(reassembler, stream, piece), (std::vector<Bytes>{identityRequest, tag}));
        EXPECT_EQ(reassembler.discardedCount(), 0u);
    }
}

TEST(SysExReassembler, StreamNoiseAroundAndInsideMessages) {
    struct Case {
        const char* name;
        Bytes stream;
        std::vector<Bytes> expected;
        std::size_t discarded;
    };
    const std::vector<Case> cases{
        {"real-time bytes inside are dropped",
         {0xF0, 0x7E, 0xF8, 0x01, 0xFE, 0x06, 0x01, 0xFA, 0xFF, 0xF7},
         {identityRequest},
         0},
        {"short messages between are ignored",
         {0x90, 0x3C, 0x40, 0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7, 0xC0, 0x05},
         {identityRequest},
         0},
        {"channel status aborts a partial message", {0xF0, 0x7E, 0x01, 0x90, 0x3C, 0x40, 0x06, 0xF7}, {}, 1},
        {"system common status aborts too", {0xF0, 0x7E, 0xF2, 0x06, 0x01, 0xF7}, {}, 1},
        {"a new F0 replaces an unterminated message",
         {0xF0, 0x00, 0x2F, 0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7},
         {identityRequest},
         1},
        {"stray F7 and data before any F0", {0x01, 0xF7, 0x7F}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SysExReassembler reassembler;
        EXPECT_EQ(reassembler.feed(c.stream), c.expected);
        EXPECT_EQ(reassembler.discardedCount(), c.discarded);
    }
}

TEST(SysExReassembler, MessagesOverTheLimitAreDiscardedAndTheNextOneSurvives) {
    SysExReassembler reassembler(16);
    Bytes exact(16, 0x11);
    exact.front() = 0xF0;
    exact.back() = 0xF7;
    Bytes tooLong(17, 0x22);
    tooLong.front() = 0xF0;
    tooLong.back() = 0xF7;
    Bytes runaway(10'000, 0x33);
    runaway.front() = 0xF0;

    EXPECT_EQ(reassembler.feed(exact), std::vector<Bytes>{exact});
    EXPECT_TRUE(reassembler.feed(tooLong).empty());
    EXPECT_TRUE(reassembler.feed(runaway).empty());
    EXPECT_EQ(reassembler.feed(identityRequest), std::vector<Bytes>{identityRequest});
    EXPECT_EQ(reassembler.discardedCount(), 2u);
}

TEST(SysExReassembler, ResetForgetsTheHalfReceivedMessage) {
    SysExReassembler reassembler;
    reassembler.feed(Bytes{0xF0, 0x7E, 0x01});
    reassembler.reset();
    EXPECT_TRUE(reassembler.feed(Bytes{0x06, 0x01, 0xF7}).empty());
}

} // namespace
} // namespace zkt
