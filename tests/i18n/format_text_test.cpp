#include "i18n/format_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zkt {
namespace {

TEST(FormatText, PutsEachArgumentInItsPlace) {
    const std::string name = "ZKT";
    EXPECT_EQ(formatText("Manual #%1 of your %2", 3, name), "Manual #3 of your ZKT");
    EXPECT_EQ(formatText("%2: %1", "first", std::string_view("second")), "second: first");
    EXPECT_EQ(formatText("%1 and %1", -2), "-2 and -2");
    EXPECT_EQ(formatText("%1%2", "a", "b"), "ab");
}

TEST(FormatText, LeavesWhatIsNoPlaceholderAsItIs) {
    const struct {
        std::string_view pattern;
        std::string_view expected;
    } cases[] = {
        {"100% sure", "100% sure"},           {"%", "%"},     {"ends in %", "ends in %"},
        {"%0 and %3", "%0 and %3"},           {"%10", "%10"}, {"%%1", "%x"},
        {"no placeholder", "no placeholder"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatText(c.pattern, "x", "y"), c.expected) << c.pattern;
}

TEST(FormatText, ReadsTwoDigitsAndNeverExpandsAnArgumentAgain) {
    EXPECT_EQ(formatText("%10|%1", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10), "10|1");
    EXPECT_EQ(formatText("%1 then %2", "port %2", "B"), "port %2 then B");
}

} // namespace
} // namespace zkt
