#include "model/piston_description.h"
#include "piston_records.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::piston;

TEST(DescribePiston, OneLinePerGroup) {
    struct Case {
        pistonInfo piston;
        const char* text;
    };
    const Case cases[] = {
        {piston(0, 3, 4, 5), ""},
        {piston(1, 5, 3, 0), "Ahlborn Coupler on MIDI Channel 3"},
        {piston(2, 0, 16, 0), "Ahlborn Tremulant on MIDI Channel 16"},
        {piston(3, 0, 1, 0), "Ahlborn Cancel on MIDI Channel 1"},
        {piston(4, 29, 2, 29), "Ahlborn General on MIDI Channel 2"},
        {piston(5, 0, 1, 0), "Ahlborn SET on MIDI Channel 1"},
        {piston(6, 0, 1, 0), "Ahlborn SFZ on MIDI Channel 1"},
        {piston(7, 0, 1, 12), "Program Change #12 on MIDI Channel 1"},
        {piston(8, 22, 4, 22), "PLEXO function #22 on MIDI Channel 4"},
        {piston(9, 1, 2, 1), "Bank Select on MIDI Channel 2"},
        {piston(10, 64, 5, 64), "HX-90 Tremulant #64 on MIDI Channel 5"},
        {piston(11, 0, 9, 0), "HX-90 Cancel"},
        {piston(12, 0, 10, 61), "Note On/Off # 61 on MIDI Channel 10"},
        {piston(13, 0, 7, 0, true), "All Notes Off on ALL MIDI Channels"},
        {piston(13, 0, 7, 0, false), "All Notes Off on MIDI Channel 7"},
        {piston(14, 16, 3, 16), "LARKMOOR Piston with CASE=16 and NUM=3"},
        {piston(15, 0, 1, 1), ""},
        {piston(-1, 0, 1, 1), ""},
        // Values no editor produces still give a readable line.
        {piston(1, 0, -1, 0), "Ahlborn Coupler on MIDI Channel-1"},
        {piston(8, -20, 0, -20), "PLEXO function #-20 on MIDI Channel 0"},
        {piston(12, 0, 1, -3), "Note On/Off #-3 on MIDI Channel 1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describePiston(c.piston), c.text);
    }
}

TEST(DescribePistonDetail, NamesWhatTheLineLeavesOut) {
    struct Case {
        pistonInfo piston;
        const char* function;
        const char* detail;
    };
    pistonInfo bank = piston(9, 0, 2, 6);
    bank.bankSelLSBFlag = true;
    bank.bankSelLSB = 1;
    const Case cases[] = {
        {piston(0, 0, 1, 0), "Unassigned", ""},
        {piston(15, 0, 1, 0), "function group 15", ""},
        {piston(1, 2, 3, 0), "Ahlborn Coupler on MIDI Channel 3", "B to A coupler"},
        {piston(7, 0, 1, 12), "Program Change #12 on MIDI Channel 1", ""},
        // The line shows the stored note + 1; the detail names the note that is sent.
        {piston(12, 0, 1, 62), "Note On/Off # 62 on MIDI Channel 1", "note 61 (C#3)"},
        {piston(12, 0, 1, 1), "Note On/Off # 1 on MIDI Channel 1", "note 0 (C-2)"},
        {piston(12, 0, 1, 0), "Note On/Off # 0 on MIDI Channel 1", "note outside the list"},
        {piston(12, 0, 1, 129), "Note On/Off # 129 on MIDI Channel 1", "note outside the list"},
        {bank, "Bank Select on MIDI Channel 2", "LSB 1"},
        {piston(14, 26, 0, 26), "LARKMOOR Piston with CASE=26 and NUM=0", "CASE 1A - Up/Down, NUM 0 - Up"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pistonFunctionText(c.piston), c.function);
        EXPECT_EQ(describePistonDetail(c.piston), c.detail) << c.function;
    }
}

} // namespace
} // namespace zkt
