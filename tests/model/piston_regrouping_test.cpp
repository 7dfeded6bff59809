#include "model/piston_regrouping.h"
#include "piston_records.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::piston;

pistonInfo withBankRows(pistonInfo p, bool msb, bool lsb, bool program, int values = 10) {
    p.bankSelMSBFlag = msb;
    p.bankSelLSBFlag = lsb;
    p.bankSelProgramFlag = program;
    p.bankSelMSB = static_cast<std::int16_t>(values);
    p.bankSelLSB = static_cast<std::int16_t>(values);
    return p;
}

TEST(StartingAssignment, KeepsThisPistonsChannelAndSameMeaningValuesOnly) {
    struct Case {
        const char* what;
        pistonInfo from;
        int group;
        pistonInfo expected;
    };
    const Case cases[] = {
        {"the channel carries over", piston(1, 4, 5, 4), 5, piston(5, 0, 5, 4)},
        {"to Unassigned", piston(1, 4, 5, 4), 0, piston(0, -1, 5, 4)},
        {"a program is not a note", piston(7, 0, 2, 62), 12, piston(12, 0, 2, 1)},
        {"a tremulant value is not a program", piston(10, 64, 3, 64), 7, piston(7, 0, 3, 1)},
        {"a program change becomes the Bank Select's", piston(7, 0, 2, 62), 9,
         withBankRows(piston(9, 0, 2, 62), false, false, true, 0)},
        {"a Bank Select's program change carries back", withBankRows(piston(9, 40, 3, 40), true, false, true),
         7, withBankRows(piston(7, 0, 3, 40), true, false, true)},
        {"a program the Bank Select does not send does not",
         withBankRows(piston(9, 0, 3, 50), true, false, false), 7,
         withBankRows(piston(7, 0, 3, 1), true, false, false)},
        {"Bank Select starts unchecked at 0", withBankRows(piston(13, 0, 4, 0), true, true, true), 9,
         withBankRows(piston(9, 0, 4, 1), false, false, false, 0)},
        {"\"All\" is not a Bank Select's program", withBankRows(piston(9, 0, 2, 7), true, false, true), 13,
         withBankRows(piston(13, 0, 2, 7), true, false, false)},
        {"a NUM is no channel", piston(14, 27, 7, 27), 1, piston(1, 0, 1, 27)},
        {"to LARKMOOR: the first CASE and NUM", piston(1, 4, 9, 4), 14, piston(14, 0, 0, 4)},
        {"no channel to keep", piston(0, 0, 0, 0), 7, piston(7, 0, 1, 1)},
        {"a channel with no entry", piston(7, 0, 20, 5), 1, piston(1, 0, 1, 5)},
        {"its own group", piston(14, 64, 5, 64), 14, piston(14, 64, 5, 64)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startingAssignment(c.from, c.group), c.expected) << c.what;
}

} // namespace
} // namespace zkt
