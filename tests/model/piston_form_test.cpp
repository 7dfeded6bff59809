// The piston editor's inputs without a window: what each piston opens on, what choosing another
// group starts from, and what "Save" stores or refuses.

#include "model/piston_form.h"

#include "model/piston_description.h"
#include "model/vocabulary.h"
#include "piston_records.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::piston;

constexpr int programChange = 7, bankSelect = 9, noteOnOff = 12, allNotesOff = 13, larkmoor = 14;

std::string selectedText(const ListItems& list) {
    return list.selected == noSelection ? "(none)" : list.items[static_cast<std::size_t>(list.selected)].text;
}

pistonInfo saved(PistonForm form) {
    const PistonSaveOutcome outcome = form.save();
    EXPECT_TRUE(outcome.piston.has_value()) << outcome.refusal;
    return outcome.piston.value_or(pistonInfo{});
}

TEST(PistonForm, LocationAndNoteByPlaceOnTheRail) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {45, "Piston #6 on Manual #3", ""},
        {40, "Piston #1 on Manual #3", "Usually the SET piston"},
        {59, "Piston #20 on Manual #3", "Usually the General Cancel"},
    };
    for (const auto& [index, location, note] : cases) {
        const PistonForm form(pistonInfo{}, index);
        EXPECT_EQ(form.location(), location);
        EXPECT_EQ(form.note(), note);
    }
    EXPECT_THROW(PistonForm(pistonInfo{}, 100), std::out_of_range);
}

// What each piston opens on, and that "Save" with nothing changed stores the piston as it was,
// values no list offers included.
TEST(PistonForm, OpensOnThePistonAndSavesItBackUnchanged) {
    struct Case {
        const char* name;
        pistonInfo piston;
        const char* type;
        const char* channel;
        const char* value;
    };
    const Case cases[] = {
        {"program change", piston(programChange, 0, 16, 1), "Registration Frame UP", "16", "1"},
        {"note 60", piston(noteOnOff, 0, 10, 61), "Note On/Off", "10", "60 (C3)"},
        {"coupler", piston(1, 2, 3, 0), vocabulary().functionLists[1][2].c_str(), "3", "(none)"},
        {"unlisted program and channel", piston(programChange, 2, 0, 200), "Registration Frame UP", "(none)",
         "(none)"},
        {"unlisted coupler type", piston(1, 40, 3, 0), "(none)", "3", "(none)"},
        {"LARKMOOR", piston(larkmoor, 16, 3, 0), vocabulary().functionLists[14][16].c_str(),
         vocabulary().numLists[static_cast<std::size_t>(vocabulary().numListMap[14][16])][3].c_str(),
         "(none)"},
        {"LARKMOOR NUM beyond its list", piston(larkmoor, 0, 40, 0),
         vocabulary().functionLists[14][0].c_str(), "(none)", "(none)"},
        {"HX-90 Cancel", piston(11, 0, 9, 0), vocabulary().functionLists[11][0].c_str(), "9", "(none)"},
        {"unassigned", piston(0, -1, 1, 0), "(none)", "1", "(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PistonForm form(c.piston, 25);
        EXPECT_EQ(form.functions().selected, c.piston.functionGroup);
        EXPECT_EQ(selectedText(form.panel().types), c.type);
        EXPECT_EQ(selectedText(form.panel().channels), c.channel);
        EXPECT_EQ(selectedText(form.panel().values), c.value);
        EXPECT_EQ(saved(form), c.piston);
    }

    pistonInfo unknown = piston(77, 5, 5, 5);
    const PistonForm form(unknown, 0);
    EXPECT_EQ(form.functions().selected, noSelection);
    EXPECT_FALSE(form.rule().has_value());
    EXPECT_EQ(saved(form), unknown);
}

TEST(PistonForm, AnotherGroupStartsFromThePiston) {
    const pistonInfo program12 = piston(programChange, 0, 3, 12);
    struct Case {
        const char* name;
        pistonInfo from;
        int group;
        pistonInfo stored;
    };
    pistonInfo bankFromProgram = piston(bankSelect, 0, 3, 12);
    bankFromProgram.bankSelProgramFlag = true;
    bankFromProgram.bankSelMSBFlag = true;
    const Case cases[] = {
        // A note is not a program: only the channel carries over.
        {"program to note keeps the channel", program12, noteOnOff, piston(noteOnOff, 0, 3, 1)},
        {"program to coupler keeps the channel, first type", program12, 1, piston(1, 0, 3, 12)},
        {"note to tremulant value keeps the channel", piston(noteOnOff, 0, 5, 100), 10, piston(10, 0, 5, 1)},
        {"a value beyond the new list starts at its lowest", piston(programChange, 0, 5, 128), 10,
         piston(10, 0, 5, 1)},
        {"a NUM is no channel: it starts at 1", piston(larkmoor, 3, 0, 0), 1, piston(1, 0, 1, 0)},
        {"to unassigned", program12, 0, piston(0, -1, 3, 12)},
        {"to All Notes Off", program12, allNotesOff, piston(allNotesOff, 0, 3, 12)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PistonForm form(c.from, 0);
        form.chooseGroup(c.group);
        EXPECT_EQ(saved(form), c.stored);
    }

    PistonForm bank(program12, 0);
    bank.chooseGroup(bankSelect);
    EXPECT_FALSE(bank.save().piston.has_value());
    // The program carries over, and a program change alone is no Bank Select.
    EXPECT_NE(bank.save().refusal.find("Program Change alone"), std::string::npos);
    EXPECT_EQ(selectedText(bank.panel().bankRows[2].values), "12");
    bank.checkBankRow(2, false);
    EXPECT_NE(bank.save().refusal.find("sends nothing"), std::string::npos);
    bank.checkBankRow(0, true);
    bank.checkBankRow(2, true);
    EXPECT_EQ(saved(bank), bankFromProgram);
}

TEST(PistonForm, BankSelectStoresEveryRowAndKeepsItsValuesWhenRegrouped) {
    pistonInfo bank = piston(bankSelect, 0, 2, 5);
    bank.bankSelMSB = 10;
    bank.bankSelLSB = 20;
    PistonForm form(bank, 0);
    form.checkBankRow(1, true);
    form.chooseBankValue(1, 127 - 33);
    form.chooseChannel(16 - 4);
    pistonInfo expected = bank;
    expected.bankSelLSBFlag = true;
    expected.bankSelLSB = 33;
    expected.midiChannel = 4;
    EXPECT_EQ(saved(form), expected);

    form.chooseGroup(1);
    const pistonInfo coupler = saved(form);
    EXPECT_EQ(coupler.functionGroup, 1);
    EXPECT_EQ(std::tie(coupler.bankSelMSB, coupler.bankSelLSB, coupler.programNumber),
              std::tie(bank.bankSelMSB, bank.bankSelLSB, bank.programNumber));
}

TEST(PistonForm, AllNotesOffAndLarkmoorInputs) {
    PistonForm all(piston(allNotesOff, 0, 6, 0), 0);
    all.checkAllChannels(true);
    EXPECT_EQ(describePiston(saved(all)), "All Notes Off on ALL MIDI Channels");

    PistonForm lark(piston(larkmoor, 0, 2, 0), 0);
    lark.chooseType(1); // the same NUM list: the NUM stays
    EXPECT_EQ(lark.panel().channels.selected, 2);
    const int otherListCase = larkmoorCaseCount - 1;
    ASSERT_NE(vocabulary().numListMap[14][otherListCase], vocabulary().numListMap[14][0]);
    lark.chooseType(otherListCase);
    EXPECT_EQ(lark.panel().channels.selected, 0);
    EXPECT_EQ(
        lark.panel().channels.items.size(),
        vocabulary().numLists[static_cast<std::size_t>(vocabulary().numListMap[14][otherListCase])].size());
    EXPECT_EQ(saved(lark), piston(larkmoor, otherListCase, 0, 0));
}

// A refusal stays until another group or a bank-select box is chosen; the label is stored as
// typed, or as it was when the input was left as it showed it.
TEST(PistonForm, KeepsItsRefusalUntilAGroupOrBoxChangesAndTakesTheLabel) {
    PistonForm form(piston(programChange, 0, 6, 9), 12, "Sw to Gt\t");
    EXPECT_EQ(form.labelShown(), "Sw to Gt ");
    form.chooseGroup(bankSelect);
    form.checkBankRow(2, false);
    EXPECT_FALSE(form.save().piston);
    EXPECT_EQ(form.refusal().rfind("This Bank Select sends nothing", 0), 0u) << form.refusal();
    form.chooseBankValue(0, 3);
    EXPECT_FALSE(form.refusal().empty()) << "a value chosen is not a box";
    form.checkBankRow(1, true);
    EXPECT_TRUE(form.refusal().empty());
    form.typeLabel("Sw to Gt ");
    EXPECT_EQ(form.save().label, "Sw to Gt\t");

    form.typeLabel(" General 5 ");
    EXPECT_EQ(form.save().label, "General 5");
    form.chooseGroup(noteOnOff);
    form.typeLabel("\xc3");
    EXPECT_EQ(form.save().refusal, "The label is not UTF-8 text.");
    form.chooseGroup(allNotesOff);
    EXPECT_TRUE(form.refusal().empty());
    EXPECT_TRUE(form.channelEnabled());
    form.checkAllChannels(true);
    EXPECT_FALSE(form.channelEnabled());
}

} // namespace
} // namespace zkt
