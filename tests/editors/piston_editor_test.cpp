#include "editors/piston_editor.h"
#include "model/example_organ.h"
#include "model/piston_form.h"
#include "widget_lookup.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace zkt {
namespace {

using namespace test;

class PistonEditorTest : public testing::Test {
protected:
    ConfigModel model;
    std::vector<int> refreshed;
    PistonEditor editor{model, [this](int pistonIndex) { refreshed.push_back(pistonIndex); }};

    // Opens the dialog on a piston holding record and leaves it open for the test.
    void open(int pistonIndex, const pistonInfo& record) {
        model.pistons[static_cast<std::size_t>(pistonIndex)] = record;
        ASSERT_TRUE(editor.prepare(pistonIndex));
    }
    void openAgain(int pistonIndex) { ASSERT_TRUE(editor.prepare(pistonIndex)); }
    const pistonInfo& stored(int pistonIndex) const {
        return model.pistons[static_cast<std::size_t>(pistonIndex)];
    }
    QComboBox& list(const char* base, int index) { return listNamed(editor, base, index); }
    QComboBox& groups() { return widgetNamed<QComboBox>(editor, QStringLiteral("cboFunction")); }
    void save() { clickButton(editor, "cmdOK"); }
    void cancel() { clickButton(editor, "cmdCancel"); }
};

const pistonInfo everyBankRow{.functionGroup = 9,
                              .midiChannel = 2,
                              .programNumber = 30,
                              .bankSelMSBFlag = true,
                              .bankSelLSBFlag = true,
                              .bankSelProgramFlag = true,
                              .bankSelMSB = 10,
                              .bankSelLSB = 20};

pistonInfo everyBankRowAtTheEnds() {
    pistonInfo piston = everyBankRow;
    piston.programNumber = 128;
    piston.bankSelMSB = 0;
    piston.bankSelLSB = 127;
    return piston;
}

// Records as decoders and older files leave them: values no list has an entry for, fields the
// group never shows, rows left unchecked.
std::vector<std::pair<const char*, pistonInfo>> oddRecords() {
    return {
        {"coupler", {.functionGroup = 1, .functionType = 3, .midiChannel = 5}},
        {"last general", {.functionGroup = 4, .functionType = 29, .midiChannel = 16}},
        {"SET with a type its one-entry list lacks",
         {.functionGroup = 5, .functionType = 2, .midiChannel = 3}},
        {"program change with a type",
         {.functionGroup = 7, .functionType = 2, .midiChannel = 16, .programNumber = 1}},
        {"program 128", {.functionGroup = 7, .midiChannel = 1, .programNumber = 128}},
        {"program 0 and channel 0", {.functionGroup = 7, .midiChannel = 0, .programNumber = 0}},
        {"program 200 and channel 20", {.functionGroup = 7, .midiChannel = 20, .programNumber = 200}},
        {"last PLEXO function",
         {.functionGroup = 8, .functionType = 55, .midiChannel = 10, .programNumber = 55}},
        {"PLEXO type 70", {.functionGroup = 8, .functionType = 70, .midiChannel = 10, .programNumber = 70}},
        {"PLEXO type -5", {.functionGroup = 8, .functionType = -5, .midiChannel = 1, .programNumber = -5}},
        {"bank select, all rows", everyBankRow},
        {"bank select at the lists' ends", everyBankRowAtTheEnds()},
        {"bank select, unchecked rows",
         {.functionGroup = 9,
          .midiChannel = 2,
          .programNumber = 50,
          .bankSelMSBFlag = true,
          .bankSelMSB = 60,
          .bankSelLSB = 70}},
        {"bank select program row without a program",
         {.functionGroup = 9,
          .midiChannel = 2,
          .programNumber = 0,
          .bankSelLSBFlag = true,
          .bankSelProgramFlag = true}},
        {"tremulant value 127", {.functionGroup = 10, .midiChannel = 1, .programNumber = 127}},
        {"HX-90 cancel", {.functionGroup = 11, .midiChannel = 7}},
        {"note 60", {.functionGroup = 12, .midiChannel = 10, .programNumber = 61}},
        {"all notes off on all channels",
         {.functionGroup = 13, .functionType = 1, .midiChannel = 4, .bankSelProgramFlag = true}},
        {"CASE 16 NUM 3", {.functionGroup = 14, .functionType = 16, .midiChannel = 3}},
        {"CASE 49 NUM 7", {.functionGroup = 14, .functionType = 49, .midiChannel = 7}},
        {"CASE 0 NUM 0 (no MIDI channel)", {.functionGroup = 14, .functionType = 0, .midiChannel = 0}},
        {"CASE 64", {.functionGroup = 14, .functionType = 64, .midiChannel = 3}},
        {"NUM past its CASE's list", {.functionGroup = 14, .functionType = 28, .midiChannel = 5}},
        {"unassigned as decoded", {.functionGroup = 0, .functionType = 0, .midiChannel = 0}},
        {"unassigned with leftovers",
         {.functionGroup = 0, .functionType = 5, .midiChannel = 9, .programNumber = 4}},
        {"negative type", {.functionGroup = 2, .functionType = -3, .midiChannel = 1}},
    };
}

// Opening a record and saving it untouched stores it exactly as it was. Each record is saved by
// a fresh dialog and, in turn, by one dialog that keeps what the records before left in it.
TEST(PistonEditorUnchangedSave, StoresTheRecordAsItWas) {
    ConfigModel shared;
    PistonEditor reused(shared, {});
    for (const auto& [what, record] : oddRecords()) {
        SCOPED_TRACE(what);
        ConfigModel model;
        model.pistons[33] = record;
        PistonEditor editor(model, {});
        ASSERT_TRUE(editor.prepare(33));
        clickButton(editor, "cmdOK");
        EXPECT_EQ(model.pistons[33], record);

        shared.pistons[34] = record;
        ASSERT_TRUE(reused.prepare(34));
        clickButton(reused, "cmdOK");
        EXPECT_EQ(shared.pistons[34], record) << "after the records before";
    }
}

// The browser page edits through the toolkit-free form: choosing any group on any piston and
// saving untouched must store what this dialog stores, or refuse where it refuses.
TEST(PistonEditorAndForm, StoreTheSamePistonForEveryGroupChosen) {
    std::vector<std::pair<const char*, pistonInfo>> records = oddRecords();
    const ConfigModel example = exampleOrgan(maxManuals);
    for (const pistonInfo& piston : example.pistons)
        records.emplace_back("example", piston);
    ConfigModel model;
    PistonEditor editor(model, {});
    QComboBox& groups = widgetNamed<QComboBox>(editor, QStringLiteral("cboFunction"));
    for (const auto& [what, record] : records) {
        for (int group = 0; group < functionGroupCount; ++group) {
            SCOPED_TRACE(std::string(what) + ", group " + std::to_string(group));
            model.pistons[7] = record;
            ASSERT_TRUE(editor.prepare(7));
            groups.setCurrentIndex(group);
            clickButton(editor, "cmdOK");

            PistonForm form(record, 7);
            form.chooseGroup(group);
            EXPECT_EQ(model.pistons[7], form.save().piston.value_or(record));
        }
    }
}

TEST_F(PistonEditorTest, LocationLineAndNoteFollowThePistonsPlace) {
    struct Place {
        int pistonIndex;
        const char* location;
        const char* note; // nullptr: no note shown
    };
    const Place places[]{{45, "Piston #6 on Manual #3", nullptr},
                         {40, "Piston #1 on Manual #3", "Usually the SET piston"},
                         {59, "Piston #20 on Manual #3", "Usually the General Cancel"},
                         {99, "Piston #20 on Manual #5", "Usually the General Cancel"}};
    auto& location = widgetNamed<QLabel>(editor, QStringLiteral("lblPiston"));
    auto& note = widgetNamed<QLineEdit>(editor, QStringLiteral("txtNote"));
    EXPECT_EQ(location.text(), QStringLiteral("Thumb piston location:"));
    for (const auto& place : places) {
        SCOPED_TRACE(place.pistonIndex);
        openAgain(place.pistonIndex);
        EXPECT_EQ(location.text(), QLatin1String(place.location));
        EXPECT_EQ(note.isHidden(), place.note == nullptr);
        if (place.note != nullptr) {
            EXPECT_EQ(note.text(), QLatin1String(place.note));
        }
    }
}

TEST_F(PistonEditorTest, IndicesWithoutAPistonButtonAreRefused) {
    openAgain(45);
    for (int index : {-1, 100, 32767}) {
        EXPECT_FALSE(editor.prepare(index)) << index;
    }
    EXPECT_EQ(editor.pistonIndex(), 45);
}

TEST_F(PistonEditorTest, ChoosingAGroupShowsOnlyItsPanelAndBankSelectIsTaller) {
    editor.show();
    const auto heightFor = [&](int group) {
        groups().setCurrentIndex(group);
        editor.layout()->activate();
        for (int g = 0; g < functionGroupCount; ++g) {
            EXPECT_EQ(widgetNamed<QWidget>(editor, test::nameOf("fraFunction", g)).isVisibleTo(&editor),
                      g == group)
                << "panel " << g << " while group " << group << " is chosen";
        }
        return editor.height();
    };
    const int couplerHeight = heightFor(1);
    EXPECT_GT(heightFor(9), couplerHeight);
    EXPECT_EQ(heightFor(1), couplerHeight);
    // Lists the group never shows stay hidden even with their panel.
    heightFor(11);
    EXPECT_FALSE(list("cboMidiChannel", 11).isVisibleTo(&editor));
    heightFor(13);
    EXPECT_FALSE(list("cboType", 13).isVisibleTo(&editor));
    EXPECT_TRUE(list("cboMidiChannel", 13).isVisibleTo(&editor));
    editor.hide();
}

TEST_F(PistonEditorTest, NoteListShowsTheNoteAndStoresItPlusOne) {
    open(21, {.functionGroup = 12, .midiChannel = 10, .programNumber = 61});
    QComboBox& notes = list("cboProgramChange", 12);
    EXPECT_EQ(notes.currentText(), QStringLiteral("60 (C3)"));
    chooseText(notes, QStringLiteral("0 (C-2)"));
    save();
    EXPECT_EQ(stored(21).programNumber, 1);
    EXPECT_EQ(refreshed, std::vector<int>{21});
}

TEST_F(PistonEditorTest, BankSelectRowsFollowTheirCheckBoxesAndShowTheRecordsValues) {
    open(3, {.functionGroup = 9,
             .midiChannel = 1,
             .programNumber = 9,
             .bankSelMSBFlag = true,
             .bankSelProgramFlag = true,
             .bankSelMSB = 42});
    cancel();
    open(4, {.functionGroup = 9, .midiChannel = 6, .bankSelLSBFlag = true, .bankSelLSB = 5});
    EXPECT_FALSE(list("cboBankSel", 0).isEnabled());
    EXPECT_TRUE(list("cboBankSel", 1).isEnabled());
    EXPECT_FALSE(list("cboBankSel", 2).isEnabled());
    // The record's own values, not the last piston's; program 0 has no entry.
    EXPECT_EQ(list("cboBankSel", 0).currentText(), QStringLiteral("0"));
    EXPECT_EQ(list("cboBankSel", 2).currentIndex(), -1);
    checkNamed(editor, "chkBankSel", 0).setChecked(true);
    EXPECT_TRUE(list("cboBankSel", 0).isEnabled());
    chooseText(list("cboBankSel", 0), QStringLiteral("42"));
    save();
    EXPECT_EQ(stored(4), (pistonInfo{.functionGroup = 9,
                                     .midiChannel = 6,
                                     .bankSelMSBFlag = true,
                                     .bankSelLSBFlag = true,
                                     .bankSelMSB = 42,
                                     .bankSelLSB = 5}));

    openAgain(4);
    checkNamed(editor, "chkBankSel", 1).setChecked(false);
    EXPECT_FALSE(list("cboBankSel", 1).isEnabled());
}

// A row's list is usable exactly when its box is checked, also on a piston just switched to
// Bank Select, whose rows start from the piston, not from the Bank Select piston before.
TEST_F(PistonEditorTest, BankSelectRowsAreUsableExactlyWhenCheckedRightAfterAGroupChange) {
    const auto expectRule = [this](const char* when) {
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(list("cboBankSel", row).isEnabled(), checkNamed(editor, "chkBankSel", row).isChecked())
                << when << ", row " << row;
        }
    };
    open(3, everyBankRow);
    cancel();
    open(2, {.functionGroup = 1, .midiChannel = 1});
    groups().setCurrentIndex(9);
    expectRule("from a coupler");
    EXPECT_FALSE(checkNamed(editor, "chkBankSel", 0).isChecked());
    EXPECT_EQ(list("cboBankSel", 0).currentText(), QStringLiteral("0"));
    cancel();

    // A program change keeps its program as the Bank Select's.
    open(2, {.functionGroup = 7, .midiChannel = 5, .programNumber = 40});
    groups().setCurrentIndex(9);
    expectRule("from a program change");
    EXPECT_TRUE(checkNamed(editor, "chkBankSel", 2).isChecked());
    EXPECT_EQ(list("cboBankSel", 2).currentText(), QStringLiteral("40"));
    EXPECT_FALSE(checkNamed(editor, "chkBankSel", 1).isChecked());
}

// "Save" refuses what the image could not carry and says why; nothing is stored until it is mended.
TEST_F(PistonEditorTest, BankSelectWithNothingOrOnlyAProgramToSendIsRefused) {
    auto& why = widgetNamed<QLabel>(editor, QStringLiteral("lblSaveRefused"));
    open(12, {.functionGroup = 7, .midiChannel = 6, .programNumber = 9});
    groups().setCurrentIndex(9);
    editor.show();
    checkNamed(editor, "chkBankSel", 2).setChecked(false);
    save();
    EXPECT_TRUE(why.isVisibleTo(&editor));
    EXPECT_TRUE(why.text().startsWith(QStringLiteral("This Bank Select sends nothing")));
    EXPECT_EQ(stored(12).functionGroup, 7);
    EXPECT_TRUE(refreshed.empty());

    checkNamed(editor, "chkBankSel", 2).setChecked(true);
    EXPECT_FALSE(why.isVisibleTo(&editor)) << "hidden again once a box changes";
    save();
    EXPECT_TRUE(why.text().startsWith(QStringLiteral("A Program Change alone is a Program Change piston")));
    EXPECT_EQ(stored(12).functionGroup, 7);

    checkNamed(editor, "chkBankSel", 1).setChecked(true);
    save();
    EXPECT_EQ(stored(12), (pistonInfo{.functionGroup = 9,
                                      .midiChannel = 6,
                                      .programNumber = 9,
                                      .bankSelLSBFlag = true,
                                      .bankSelProgramFlag = true}));
    EXPECT_EQ(refreshed, std::vector<int>{12});
    editor.hide();
}

TEST_F(PistonEditorTest, AllNotesOffOnAllChannelsKeepsTheDisabledChannel) {
    open(8, {.functionGroup = 13, .functionType = 0, .midiChannel = 4});
    QComboBox& channel = list("cboMidiChannel", 13);
    EXPECT_TRUE(channel.isEnabled());
    widgetNamed<QCheckBox>(editor, QStringLiteral("chkAllChannels")).setChecked(true);
    EXPECT_FALSE(channel.isEnabled());
    save();
    EXPECT_TRUE(stored(8).bankSelProgramFlag);
    EXPECT_EQ(stored(8).midiChannel, 4);

    openAgain(8);
    EXPECT_TRUE(widgetNamed<QCheckBox>(editor, QStringLiteral("chkAllChannels")).isChecked());
    EXPECT_FALSE(channel.isEnabled());
}

TEST_F(PistonEditorTest, ChangingTheCaseRefillsTheNumListOnlyWhenItsListDiffers) {
    open(10, {.functionGroup = 14, .functionType = 0, .midiChannel = 7});
    QComboBox& cases = list("cboType", 14);
    QComboBox& nums = list("cboMidiChannel", 14);
    EXPECT_EQ(nums.count(), 16);
    EXPECT_EQ(nums.currentIndex(), 7);
    cases.setCurrentIndex(15); // same NUM list as CASE 0
    EXPECT_EQ(nums.currentIndex(), 7);
    cases.setCurrentIndex(16); // eight entries
    EXPECT_EQ(nums.count(), 8);
    EXPECT_EQ(nums.currentIndex(), 0);
    EXPECT_EQ(nums.currentText(), QStringLiteral("0 - #1"));
    save();
    EXPECT_EQ(stored(10), (pistonInfo{.functionGroup = 14, .functionType = 16, .midiChannel = 0}));
}

TEST_F(PistonEditorTest, NumBeyondItsListShowsNoneAndIsKept) {
    // Just refilled with one entry.
    open(11, {.functionGroup = 14, .functionType = 28, .midiChannel = 5});
    EXPECT_EQ(list("cboMidiChannel", 14).count(), 1);
    EXPECT_EQ(list("cboMidiChannel", 14).currentIndex(), -1);
    save();
    EXPECT_EQ(stored(11).midiChannel, 5);

    // The same NUM list as the last opening, which is not refilled: not that opening's NUM either.
    open(12, {.functionGroup = 14, .functionType = 16, .midiChannel = 3});
    cancel();
    open(13, {.functionGroup = 14, .functionType = 20, .midiChannel = 9});
    EXPECT_EQ(list("cboMidiChannel", 14).currentIndex(), -1);
    save();
    EXPECT_EQ(stored(13), (pistonInfo{.functionGroup = 14, .functionType = 20, .midiChannel = 9}));
}

// Another group starts from this piston: its channel, its program where the new group sends
// one too, the lists' defaults otherwise; never what the piston edited before left behind.
TEST_F(PistonEditorTest, ChoosingAnotherGroupStartsFromThisPiston) {
    open(0, {.functionGroup = 12, .midiChannel = 9, .programNumber = 61});
    cancel();
    open(1, {.functionGroup = 14, .functionType = 27, .midiChannel = 1});
    cancel();
    open(2, {.functionGroup = 11, .midiChannel = 7});
    cancel();

    open(3, {.functionGroup = 7, .midiChannel = 2, .programNumber = 62});
    groups().setCurrentIndex(12);
    EXPECT_EQ(list("cboMidiChannel", 12).currentText(), QStringLiteral("2"));
    EXPECT_EQ(list("cboProgramChange", 12).currentText(), QStringLiteral("0 (C-2)"));
    groups().setCurrentIndex(14);
    EXPECT_EQ(list("cboType", 14).currentIndex(), 0);
    EXPECT_EQ(list("cboMidiChannel", 14).currentIndex(), 0);
    groups().setCurrentIndex(7);
    EXPECT_EQ(list("cboProgramChange", 7).currentText(), QStringLiteral("62")) << "back to its own group";
    groups().setCurrentIndex(11);
    save();
    EXPECT_EQ(stored(3),
              (pistonInfo{.functionGroup = 11, .functionType = 0, .midiChannel = 2, .programNumber = 62}));

    open(4, {.functionGroup = 3, .midiChannel = 12});
    groups().setCurrentIndex(0);
    save();
    EXPECT_EQ(stored(4), (pistonInfo{.functionGroup = 0, .functionType = -1, .midiChannel = 12}));
}

TEST_F(PistonEditorTest, SwitchingGroupsClearsNothing) {
    open(5, everyBankRow);
    groups().setCurrentIndex(1);
    save();
    pistonInfo expected = everyBankRow;
    expected.functionGroup = 1;
    expected.functionType = 0;
    EXPECT_EQ(stored(5), expected);
}

TEST_F(PistonEditorTest, CancelChangesNothingAndReopeningShowsTheRecord) {
    const pistonInfo record{.functionGroup = 7, .midiChannel = 3, .programNumber = 5};
    open(6, record);
    chooseText(list("cboProgramChange", 7), QStringLiteral("100"));
    groups().setCurrentIndex(12);
    cancel();
    EXPECT_EQ(stored(6), record);
    EXPECT_TRUE(refreshed.empty());

    openAgain(6);
    EXPECT_EQ(groups().currentIndex(), 7);
    EXPECT_EQ(list("cboProgramChange", 7).currentText(), QStringLiteral("5"));
    EXPECT_EQ(list("cboMidiChannel", 7).currentText(), QStringLiteral("3"));
}

TEST_F(PistonEditorTest, ValuesWithoutAListEntryShowNoSelectionAndAreNotReplacedByAnother) {
    // A group outside the vocabulary: nothing is shown and nothing stored, the button is refreshed.
    for (std::int16_t group : {std::int16_t{15}, std::int16_t{-1}}) {
        const pistonInfo foreign{.functionGroup = group, .functionType = 3, .midiChannel = 2};
        open(7, foreign);
        editor.show();
        EXPECT_EQ(groups().currentIndex(), -1);
        for (int g = 0; g < functionGroupCount; ++g) {
            EXPECT_FALSE(widgetNamed<QWidget>(editor, test::nameOf("fraFunction", g)).isVisibleTo(&editor));
        }
        save();
        EXPECT_EQ(stored(7), foreign);
    }
    EXPECT_EQ(refreshed, (std::vector<int>{7, 7}));

    // A CASE past the list: no CASE and no NUM shown, and both are kept.
    open(9, {.functionGroup = 14, .functionType = 50, .midiChannel = 4});
    EXPECT_EQ(list("cboType", 14).currentIndex(), -1);
    EXPECT_EQ(list("cboMidiChannel", 14).currentIndex(), -1);
    save();
    EXPECT_EQ(stored(9), (pistonInfo{.functionGroup = 14, .functionType = 50, .midiChannel = 4}));
    // A piston switched to LARKMOOR next gets a CASE of the list, not the blank left behind.
    open(10, {.functionGroup = 0});
    groups().setCurrentIndex(14);
    save();
    EXPECT_EQ(stored(10), (pistonInfo{.functionGroup = 14, .functionType = 0, .midiChannel = 0}));

    // Numbers below the descending lists: none shown, and the fields keep them.
    open(16, {.functionGroup = 7, .midiChannel = 9, .programNumber = 40});
    cancel();
    const pistonInfo unset{.functionGroup = 7, .midiChannel = 0, .programNumber = 0};
    open(17, unset);
    EXPECT_EQ(list("cboMidiChannel", 7).currentIndex(), -1);
    EXPECT_EQ(list("cboProgramChange", 7).currentIndex(), -1);
    save();
    EXPECT_EQ(stored(17), unset);

    // A shown type list that has no such type does not show the last piston's type.
    open(14, {.functionGroup = 3, .functionType = 1, .midiChannel = 2});
    cancel();
    open(15, {.functionGroup = 3, .functionType = 4, .midiChannel = 2});
    EXPECT_EQ(list("cboType", 3).currentIndex(), -1);
    save();
    EXPECT_EQ(stored(15).functionType, 4);
}

} // namespace
} // namespace zkt
