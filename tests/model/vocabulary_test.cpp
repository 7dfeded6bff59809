#include "model/list_fill.h"
#include "model/program_image.h"
#include "model/vocabulary.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

const VocabularyList& functionList(FunctionGroup group) {
    return vocabulary().functionLists[static_cast<std::size_t>(group)];
}

std::optional<std::uint8_t> codeByte(FunctionGroup group, int type) {
    return vocabulary().functionCodeBytes[static_cast<std::size_t>(group)][static_cast<std::size_t>(type)];
}

TEST(Vocabulary, ListSizesAndCodeBytesAgree) {
    const auto& v = vocabulary();
    EXPECT_EQ(v.functionGroupNames.size(), 15u);
    EXPECT_EQ(v.functionGroupNames[14], "LARKMOOR Piston");
    EXPECT_TRUE(v.functionLists[0].empty());
    EXPECT_TRUE(v.functionLists[15].empty());
    const std::size_t expectedSizes[] = {0, 6, 3, 4, 30, 1, 1, 3, 56, 1, 1, 1, 1, 2, 50};
    for (std::size_t group = 0; group < 15; ++group) {
        SCOPED_TRACE(group);
        EXPECT_EQ(v.functionLists[group].size(), expectedSizes[group]);
        EXPECT_EQ(v.functionCodeBytes[group].size(), v.functionLists[group].size());
    }
}

TEST(Vocabulary, EntriesAtTheEdgesOfTheGeneratedLists) {
    EXPECT_EQ(functionList(FunctionGroup::plexoFunction)[0], "Left");
    EXPECT_EQ(functionList(FunctionGroup::plexoFunction)[22], "Panic");
    EXPECT_EQ(functionList(FunctionGroup::plexoFunction)[23], "Free Memory #1");
    EXPECT_EQ(functionList(FunctionGroup::plexoFunction)[44], "Fixed Memory #12");
    EXPECT_EQ(functionList(FunctionGroup::plexoFunction)[55], "Reverb +");
    EXPECT_EQ(codeByte(FunctionGroup::plexoFunction, 55), 91);
    EXPECT_EQ(functionList(FunctionGroup::ahlbornGeneral)[6], "Memory B General #1");
    EXPECT_EQ(functionList(FunctionGroup::ahlbornGeneral)[29], "Memory E General #6");
    EXPECT_EQ(codeByte(FunctionGroup::ahlbornGeneral, 29), 158);
    EXPECT_EQ(codeByte(FunctionGroup::ahlbornCancel, 0), 160);
    EXPECT_EQ(codeByte(FunctionGroup::allNotesOff, 1), 192);
    EXPECT_EQ(codeByte(FunctionGroup::programChange, 2), std::nullopt);
}

TEST(Vocabulary, LarkmoorCasesAndTheirNumLists) {
    const auto& cases = functionList(FunctionGroup::larkmoorPiston);
    EXPECT_EQ(cases[0], "00 - Div#1 (Pedal) Divisional");
    EXPECT_EQ(cases[3], "03 - Div#4 (Choir) Divisional");
    EXPECT_EQ(cases[4], "04 - Div#5 Divisional");
    EXPECT_EQ(cases[14], "0E - Div#15 Divisional");
    EXPECT_EQ(cases[15], "0F - General (1st set)");
    EXPECT_EQ(cases[26], "1A - Up/Down");
    EXPECT_EQ(cases[42].substr(5), cases[43].substr(5));
    EXPECT_EQ(cases[43], "2B - Send Prog# on Seq.MIDI Ctrl Ch.");
    EXPECT_EQ(cases[49], "31 - Special Lighted Reversibles");

    const auto& map = vocabulary().numListMap[static_cast<std::size_t>(FunctionGroup::larkmoorPiston)];
    ASSERT_EQ(map.size(), 50u);
    EXPECT_EQ(map[0], 5); // a value, not a count
    EXPECT_EQ(map[18], 11);
    EXPECT_EQ(map[22], 18);
    EXPECT_EQ(map[43], 6);

    const auto& nums = vocabulary().numLists;
    EXPECT_TRUE(nums[0].empty());
    EXPECT_TRUE(nums[19].empty());
    EXPECT_EQ(nums[1], VocabularyList{""});
    EXPECT_EQ(nums[5][15], "F - #16");
    EXPECT_EQ(nums[6][0], "0 - #17");
    EXPECT_EQ(nums[6][15], "F - #32");
    EXPECT_EQ(nums[8].size(), 16u);
    EXPECT_EQ(nums[11][4], "4 - Div#5");
    EXPECT_EQ(nums[11][15], "F - General");
    EXPECT_EQ(nums[18][3], "3 - MIDI Reg. Off");
}

TEST(Vocabulary, AhlbornCodes) {
    struct Case {
        int code;
        std::optional<AhlbornFunction> expected;
    };
    const Case cases[] = {
        {4, AhlbornFunction{1, 0}},
        {5, AhlbornFunction{1, 1}},
        {16, AhlbornFunction{1, 2}},
        {23, AhlbornFunction{1, 3}},
        {25, AhlbornFunction{1, 5}},
        {87, AhlbornFunction{2, 0}},
        {89, AhlbornFunction{2, 2}},
        {90, AhlbornFunction{3, 1}},
        {92, AhlbornFunction{3, 3}},
        {160, AhlbornFunction{3, 0}},
        {94, AhlbornFunction{5, 0}},
        {95, AhlbornFunction{6, 0}},
        {129, AhlbornFunction{4, 0}},
        {158, AhlbornFunction{4, 29}},
        {0, std::nullopt},
        {6, std::nullopt},
        {17, std::nullopt},
        {93, std::nullopt},
        {128, std::nullopt},
        {159, std::nullopt},
        {192, std::nullopt},
        {255, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto found = decodeAhlbornCode(static_cast<std::uint8_t>(c.code));
        ASSERT_EQ(found.has_value(), c.expected.has_value());
        if (found) {
            EXPECT_EQ(found->group, c.expected->group);
            EXPECT_EQ(found->type, c.expected->type);
        }
    }
}

std::vector<std::string> texts(const ListItems& list) {
    std::vector<std::string> result;
    for (const auto& item : list.items) {
        result.push_back(item.text);
    }
    return result;
}

TEST(ListFill, VocabularyListWithAndWithoutBlank) {
    const auto withBlank = fillListFromVocabulary(functionList(FunctionGroup::allNotesOff), true);
    EXPECT_EQ(texts(withBlank), (std::vector<std::string>{" ", "On 1 MIDI Channel", "On All MIDI Channels"}));
    EXPECT_EQ(withBlank.selected, 0);
    EXPECT_EQ(withBlank.items[2].value, 1);

    EXPECT_EQ(fillListFromVocabulary(functionList(FunctionGroup::unassigned), false).selected, noSelection);
    EXPECT_EQ(fillListFromVocabulary(functionList(FunctionGroup::unassigned), true).selected, noSelection);
}

TEST(ListFill, NumberListsRunDownwardsWithTheLowestSelected) {
    const auto programs = fillNumberList(1, 128, false);
    ASSERT_EQ(programs.count(), 128);
    EXPECT_EQ(programs.items.front(), (ListItem{"128", 128}));
    EXPECT_EQ(programs.items.back(), (ListItem{"1", 1}));
    EXPECT_EQ(programs.selected, 127);

    const auto offsets = fillNumberList(-12, 12, true);
    ASSERT_EQ(offsets.count(), 25);
    EXPECT_EQ(offsets.items[0].text, "+12");
    EXPECT_EQ(offsets.items[11].text, "+1");
    EXPECT_EQ(offsets.items[12].text, "0");
    EXPECT_EQ(offsets.items[13], (ListItem{"-1", -1}));
    EXPECT_EQ(offsets.items[24].text, "-12");

    EXPECT_EQ(fillNumberList(5, 4, false).selected, noSelection);
}

TEST(ListFill, NoteNamesAndOctaves) {
    const auto notes = fillNoteList(0, 127);
    ASSERT_EQ(notes.count(), 128);
    EXPECT_EQ(notes.items.front(), (ListItem{"127 (G8)", 127}));
    EXPECT_EQ(notes.items.back(), (ListItem{"0 (C-2)", 0}));
    EXPECT_EQ(notes.selected, 127);
    EXPECT_EQ(notes.items[127 - 60].text, "60 (C3)");
    EXPECT_EQ(notes.items[127 - 36].text, "36 (C1)");
    EXPECT_EQ(notes.items[127 - 11].text, "11 (B-2)");
    EXPECT_EQ(notes.items[127 - 13].text, "13 (C#-1)");
}

} // namespace
} // namespace zkt
