// Whole messages of every kind the console and the chain send, from a stream cut anywhere.

#include "link/midi_reassembler.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::bytesOf;

const Bytes identityRequest{0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7};
const Bytes noteOn{0x91, 0x3D, 0x64};
const Bytes noteOff{0x81, 0x3D, 0x40};
const Bytes programChange{0xC3, 0x08};

TEST(MidiReassembler, SysExAndChannelMessagesComeOutInOrderHoweverTheStreamIsCut) {
    Bytes stream = noteOn;
    stream.insert(stream.end(), identityRequest.begin(), identityRequest.end());
    stream.insert(stream.end(), programChange.begin(), programChange.end());
    stream.insert(stream.end(), noteOff.begin(), noteOff.end());
    for (std::size_t piece = 1; piece <= stream.size(); ++piece) {
        SCOPED_TRACE(piece);
        MidiReassembler reassembler;
        std::vector<Bytes> out;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            for (Bytes& message :
                 reassembler.feed(std::span(stream).subspan(at, std::min(piece, stream.size() - at))))
                out.push_back(std::move(message));
        }
        EXPECT_EQ(out, (std::vector<Bytes>{noteOn, identityRequest, programChange, noteOff}));
    }
}

TEST(MidiReassembler, RunningStatusRealTimeAndSystemMessages) {
    struct Case {
        const char* name;
        Bytes stream;
        std::vector<Bytes> expected;
        std::size_t discarded = 0;
    };
    const std::vector<Case> cases{
        {"running status repeats the status byte",
         {0x91, 0x3D, 0x64, 0x3E, 0x64, 0x3D, 0x00},
         {noteOn, bytesOf({0x91, 0x3E, 0x64}), bytesOf({0x91, 0x3D, 0x00})}},
        {"running status of two-byte messages", {0xC3, 0x08, 0x09}, {programChange, bytesOf({0xC3, 0x09})}},
        {"real-time bytes inside a channel message change nothing", {0x91, 0xF8, 0x3D, 0xFE, 0x64}, {noteOn}},
        {"SysEx ends running status",
         {0x91, 0x3D, 0x64, 0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7, 0x3D, 0x40},
         {noteOn, identityRequest}},
        {"a system common message ends running status and its data is dropped",
         {0x91, 0x3D, 0x64, 0xF2, 0x10, 0x20, 0x3D, 0x40},
         {noteOn}},
        {"a channel message inside SysEx cuts it off",
         {0xF0, 0x7E, 0x01, 0x91, 0x3D, 0x64, 0x06, 0xF7},
         {noteOn},
         1},
        {"a status byte cuts a channel message short", {0x91, 0x3D, 0xC3, 0x08}, {programChange}},
        {"data before any status byte is dropped", {0x3D, 0x64, 0xF7, 0x91, 0x3D, 0x64}, {noteOn}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MidiReassembler reassembler;
        EXPECT_EQ(reassembler.feed(c.stream), c.expected);
        EXPECT_EQ(reassembler.discardedCount(), c.discarded);
    }
}

TEST(MidiReassembler, AResetForgetsThePartialMessageAndTheRunningStatus) {
    MidiReassembler reassembler;
    EXPECT_TRUE(reassembler.feed(bytesOf({0x91, 0x3D, 0x64, 0x3E})).size() == 1);
    reassembler.reset();
    EXPECT_TRUE(reassembler.feed(bytesOf({0x64, 0x3D, 0x64})).empty());
}

} // namespace
} // namespace zkt
