#include "link/sysex_codec.h"
#include "model/hex_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace zkt {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(CodecHexText, ByteAndTextForms) {
    EXPECT_EQ(hexByte(0), "00");
    EXPECT_EQ(hexByte(5), "05");
    EXPECT_EQ(hexByte(240), "f0");
    EXPECT_EQ(hexByte(255), "ff");
    EXPECT_THROW(hexByte(-1), std::out_of_range);
    EXPECT_THROW(hexByte(256), std::out_of_range);

    EXPECT_EQ(bytesToHex({}), "");
    const Bytes f07e{0xF0, 0x7E};
    EXPECT_EQ(bytesToHex(f07e), "f0 7e ");
}

TEST(CodecHexText, ParsesEveryAcceptedSpelling) {
    struct Case {
        std::string_view text;
        Bytes expected;
    };
    const Case cases[] = {
        {"F0 7E 00 06 01 ", {0xF0, 0x7E, 0x00, 0x06, 0x01}},
        {" 04 01 03 ", {0x04, 0x01, 0x03}},
        {"f0 00 2f 71", {0xF0, 0x00, 0x2F, 0x71}},
        {"F0 00 2f 71 7f 04 02 ", {0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02}},
        {"5 a Ff", {0x05, 0x0A, 0xFF}},
        {"f0  7e", {0xF0, 0x7E}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hexToBytes(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(CodecHexText, RejectsTokensThatAreNotOneOrTwoHexDigits) {
    struct Case {
        std::string_view text;
        std::string token;
        std::string where;
    };
    const Case cases[] = {
        {"f0 zz 7e ", "\"zz\"", "byte 2, column 4"},  {"g0", "\"g0\"", "byte 1, column 1"},
        {"f0 7e0 01", "\"7e0\"", "byte 2, column 4"}, {"f0 0x", "\"0x\"", "byte 2, column 4"},
        {"f0 f7\r", "\"f7\r\"", "byte 2, column 4"},  {"f0 -1", "\"-1\"", "byte 2, column 4"},
    };
    for (const auto& c : cases) {
        try {
            hexToBytes(c.text);
            ADD_FAILURE() << "accepted \"" << c.text << '"';
        } catch (const HexFormatError& e) {
            EXPECT_THAT(e.what(), HasSubstr(c.token)) << c.text;
            EXPECT_THAT(e.what(), HasSubstr(c.where)) << c.text;
        }
    }
}

TEST(CodecHexText, EveryByteSurvivesTheRoundTrip) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(hexToBytes(bytesToHex(all)), all);
}

TEST(CodecPacking, HeaderBitsFollowTheBytePlaceInItsGroup) {
    EXPECT_THAT(pack7(Bytes{0x80}), ElementsAre(0x40, 0x00));
    EXPECT_THAT(pack7(Bytes{0x01, 0xFF}), ElementsAre(0x20, 0x01, 0x7F));
    EXPECT_THAT(pack7(Bytes{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x81, 0x82}),
                ElementsAre(0x7F, 0, 0, 0, 0, 0, 0, 0x01, 0x40, 0x02));
    EXPECT_TRUE(pack7(Bytes{}).empty());

    EXPECT_EQ(pack7(Bytes(64, 0xAA)).size(), 74U);
    EXPECT_EQ(pack7(Bytes(256, 0x55)).size(), 293U);
}

TEST(CodecPacking, UnpackReportsAndSkipsBytesWithTheHighBitSet) {
    std::vector<std::string> reports;
    const ErrorSink sink = [&reports](const std::string& text) { reports.push_back(text); };

    EXPECT_THAT(unpack7(Bytes{0x40, 0x00}, sink), ElementsAre(0x80));
    EXPECT_TRUE(reports.empty());

    // The bad byte takes no place in the group, so the bytes after it keep their header bits.
    EXPECT_THAT(unpack7(Bytes{0x60, 0x01, 0x85, 0x02, 0x03}, sink), ElementsAre(0x81, 0x82, 0x03));
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], "Error in conversion at pos 3: 60 01 85 02 03 ");

    reports.clear();
    EXPECT_THAT(unpack7(Bytes{0x90, 0x40, 0x05}, sink), ElementsAre(0x85));
    EXPECT_THAT(reports, ElementsAre(HasSubstr("at pos 1: ")));

    EXPECT_THAT(unpack7(Bytes{0xF7, 0x40, 0x05}, ErrorSink{}), ElementsAre(0x85));

    // Every bad byte is skipped, but only the first is reported.
    reports.clear();
    EXPECT_THAT(unpack7(Bytes{0x40, 0x90, 0x05, 0xFF, 0xFE}, sink), ElementsAre(0x85));
    EXPECT_THAT(reports, ElementsAre(HasSubstr("at pos 2: ")));
}

TEST(CodecPacking, RandomDataRoundTrips) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> byteValue(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    int reports = 0;
    const ErrorSink sink = [&reports](const std::string&) { ++reports; };
    for (int round = 0; round < 500; ++round) {
        Bytes data(length(random));
        for (auto& byte : data) {
            byte = static_cast<std::uint8_t>(byteValue(random));
        }
        const Bytes packed = pack7(data);
        const std::size_t groups = (data.size() + 6) / 7;
        ASSERT_EQ(packed.size(), data.size() + groups);
        for (auto byte : packed) {
            ASSERT_LT(byte, 0x80);
        }
        ASSERT_EQ(unpack7(packed, sink), data) << "length " << data.size();
    }
    EXPECT_EQ(reports, 0);
}

TEST(CodecNumbers, SevenBitGroupsLeastSignificantFirst) {
    EXPECT_THAT(encode7bitNumber(256, 3), ElementsAre(0x00, 0x02, 0x00));
    EXPECT_THAT(encode7bitNumber(320, 3), ElementsAre(0x40, 0x02, 0x00));
    EXPECT_THAT(encode7bitNumber(0x1FFFFF, 3), ElementsAre(0x7F, 0x7F, 0x7F));
    EXPECT_THAT(encode7bitNumber(0xFFFFFFFF, 6), ElementsAre(0x7F, 0x7F, 0x7F, 0x7F, 0x0F, 0x00));
    EXPECT_TRUE(encode7bitNumber(5, 0).empty());

    EXPECT_EQ(decode14(4, 0), 4);
    EXPECT_EQ(decode14(0, 1), 128);
    EXPECT_EQ(decode14(0x7F, 0x7F), 16383);
}

} // namespace
} // namespace zkt
