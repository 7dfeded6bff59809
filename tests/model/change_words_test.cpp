#include "model/change_words.h"
#include "model/vocabulary.h"
#include "piston_records.h"

#include <gtest/gtest.h>

#include <functional>

namespace zkt {
namespace {

using test::piston;

ConfigModel oneManual() {
    ConfigModel model;
    model.numberOfManuals = 1;
    model.keyboards[0].archiveChannel = 1;
    model.keyboards[0].archiveInput = 3;
    return model;
}

constexpr std::size_t slot2 = channelSlotOf(0, 2);

pistonInfo bankSelect(bool msb, bool lsb, bool program) {
    pistonInfo p = piston(9, 0, 2, 1);
    p.bankSelMSBFlag = msb;
    p.bankSelLSBFlag = lsb;
    p.bankSelProgramFlag = program;
    p.bankSelMSB = 5;
    return p;
}

struct Change {
    const char* what;
    std::function<void(ConfigModel&)> before;
    std::function<void(ConfigModel&)> after;
    const char* line; // the one line expected, without "Manual 1, "
};

void nothing(ConfigModel&) {}

std::function<void(ConfigModel&)> pistonIs(const pistonInfo& p) {
    return [p](ConfigModel& model) { model.pistons[4] = p; };
}

std::function<void(ConfigModel&)> channel2(std::uint8_t transpose, std::uint8_t velocity, shoeInfo shoe,
                                           bool enabled = true) {
    return [=](ConfigModel& model) {
        model.channelTranspose[slot2] = transpose;
        model.channelVelocity[slot2] = velocity;
        model.shoes[slot2] = shoe;
        model.keyboards[0].channels = enabled ? 0b10 : 0;
    };
}

std::function<void(ConfigModel&)> archive(int input, int channel) {
    return [=](ConfigModel& model) {
        model.keyboards[0].archiveInput = static_cast<std::uint8_t>(input);
        model.keyboards[0].archiveChannel = static_cast<std::uint8_t>(channel);
    };
}

TEST(ChangeWords, EveryKindOfChangeInTheEditorsWords) {
    const shoeInfo off{};
    const Change changes[] = {
        // A piston of each function group, by its description and detail.
        {"coupler", nothing, pistonIs(piston(1, 2, 3, 2)),
         "piston 5: Unassigned \u2192 Ahlborn Coupler on MIDI Channel 3 (B to A coupler)"},
        {"tremulant", nothing, pistonIs(piston(2, 1, 4, 1)),
         "piston 5: Unassigned \u2192 Ahlborn Tremulant on MIDI Channel 4 (Great Tremulant)"},
        {"cancel", nothing, pistonIs(piston(3, 0, 1, 0)),
         "piston 5: Unassigned \u2192 Ahlborn Cancel on MIDI Channel 1 (General Cancel)"},
        {"general to program change", pistonIs(piston(4, 8, 2, 8)), pistonIs(piston(7, 0, 1, 1)),
         "piston 5: Ahlborn General on MIDI Channel 2 (Memory B General #3) \u2192 Program Change #1 on "
         "MIDI Channel 1"},
        {"SET", nothing, pistonIs(piston(5, 0, 1, 0)),
         "piston 5: Unassigned \u2192 Ahlborn SET on MIDI Channel 1"},
        {"SFZ", nothing, pistonIs(piston(6, 0, 16, 0)),
         "piston 5: Unassigned \u2192 Ahlborn SFZ on MIDI Channel 16"},
        {"PLEXO", nothing, pistonIs(piston(8, 5, 3, 5)),
         "piston 5: Unassigned \u2192 PLEXO function #5 on MIDI Channel 3 (Great Flues)"},
        {"bank select", pistonIs(bankSelect(true, false, false)), pistonIs(bankSelect(true, true, true)),
         "piston 5: Bank Select on MIDI Channel 2 (MSB 5) \u2192 Bank Select on MIDI Channel 2 (MSB 5, LSB "
         "0, "
         "program 1)"},
        {"HX-90 tremulant", nothing, pistonIs(piston(10, 64, 5, 64)),
         "piston 5: Unassigned \u2192 HX-90 Tremulant #64 on MIDI Channel 5"},
        {"HX-90 cancel's channel", pistonIs(piston(11, 0, 9, 0)), pistonIs(piston(11, 0, 2, 0)),
         "piston 5: HX-90 Cancel (MIDI Channel 9) \u2192 HX-90 Cancel (MIDI Channel 2)"},
        {"note", pistonIs(piston(12, 0, 10, 61)), pistonIs(piston(12, 0, 10, 62)),
         "piston 5: Note On/Off # 61 on MIDI Channel 10 (note 60 (C3)) \u2192 Note On/Off # 62 on MIDI "
         "Channel 10 (note 61 (C#3))"},
        {"all notes off", pistonIs(piston(13, 0, 7, 0)), pistonIs(piston(13, 0, 7, 0, true)),
         "piston 5: All Notes Off on MIDI Channel 7 \u2192 All Notes Off on ALL MIDI Channels"},
        {"LARKMOOR NUM", pistonIs(piston(14, 26, 0, 26)), pistonIs(piston(14, 26, 1, 26)),
         "piston 5: LARKMOOR Piston with CASE=26 and NUM=0 (CASE 1A - Up/Down, NUM 0 - Up) \u2192 LARKMOOR "
         "Piston with CASE=26 and NUM=1 (CASE 1A - Up/Down, NUM 1 - Down)"},
        {"cleared", pistonIs(piston(7, 0, 1, 1)), pistonIs(piston(0, -1, 1, 1)),
         "piston 5: Program Change #1 on MIDI Channel 1 \u2192 Unassigned"},
        {"CASE past the list", nothing, pistonIs(piston(14, 64, 3, 64)),
         "piston 5: Unassigned \u2192 LARKMOOR Piston with CASE=64 and NUM=3 (CASE outside the list)"},
        {"note past the list", nothing, pistonIs(piston(12, 0, 1, 129)),
         "piston 5: Unassigned \u2192 Note On/Off # 129 on MIDI Channel 1 (note outside the list)"},
        {"a group outside the vocabulary", nothing, pistonIs(piston(15, 0, 1, 1)),
         "piston 5: Unassigned \u2192 function group 15"},
        // A channel's enable, key offset, velocity and analog input.
        {"enabled", channel2(36, 255, off, false), channel2(36, 255, off),
         "channel 2: disabled \u2192 enabled"},
        {"key offset", channel2(36, 255, off), channel2(24, 255, off), "channel 2: key offset 0 \u2192 -12"},
        {"key offset at the list's ends", channel2(0, 255, off), channel2(127, 255, off),
         "channel 2: key offset -36 \u2192 +91"},
        {"velocity", channel2(36, 255, off), channel2(36, 100, off),
         "channel 2: velocity sensing \u2192 fixed 100"},
        {"velocity at the list's ends", channel2(36, 127, off), channel2(36, 1, off),
         "channel 2: velocity fixed 127 \u2192 fixed 1"},
        {"analog input", channel2(36, 255, off), channel2(36, 255, {1, false, true}),
         "channel 2: analog input Disabled \u2192 Input 2, Expression (11)"},
        {"controller", channel2(36, 255, {2, false, true}), channel2(36, 255, {2, true, true}),
         "channel 2: analog input Input 3, Expression (11) \u2192 Input 3, Volume (7)"},
        // What does not show is still not lost.
        {"velocity value under sensing", channel2(36, 0x80, off), channel2(36, 0xFF, off),
         "channel 2: only values not in use differ"},
        {"input of a disabled analog input", channel2(36, 255, {0, true, false}),
         channel2(36, 255, {2, false, false}), "channel 2: only values not in use differ"},
        {"unassigned leftovers", pistonIs(piston(0, 0, 0, 0)), pistonIs(piston(0, -1, 6, 9)),
         "piston 5: only values not in use differ"},
        // The archive crescendo.
        {"archive crescendo", archive(2, 4), archive(3, 4),
         "Ahlborn Archive Crescendo: Input 3 on MIDI channel 4 \u2192 Disabled"},
        {"archive channel", archive(0, 4), archive(0, 16),
         "Ahlborn Archive Crescendo: Input 1 on MIDI channel 4 \u2192 Input 1 on MIDI channel 16"},
        {"channel of a disabled archive crescendo", archive(3, 4), archive(3, 5),
         "Ahlborn Archive Crescendo: only values not in use differ"},
    };
    for (const Change& change : changes) {
        ConfigModel before = oneManual();
        change.before(before);
        ConfigModel after = before;
        change.after(after);
        EXPECT_EQ(manualChangesInWords(before, after, 1),
                  std::vector<std::string>{std::string("Manual 1, ") + change.line})
            << change.what;
    }
}

TEST(ChangeWords, EachOptionBitByItsCaption) {
    const VocabularyList& captions = vocabulary().keyboardOptionNames;
    ASSERT_EQ(captions[5], "Enable Volume Setup via (P1+C#2)");
    ConfigModel allOn = oneManual();
    allOn.keyboards[0].keyboardConfig = 0xFF;
    for (std::size_t bit = 0; bit < captions.size(); ++bit) {
        ConfigModel after = allOn;
        after.keyboards[0].keyboardConfig = static_cast<std::uint8_t>(0xFF & ~(1u << bit));
        EXPECT_EQ(manualChangesInWords(allOn, after, 1),
                  std::vector<std::string>{"Manual 1, " + captions[bit] + ": on \u2192 off"});
    }
}

TEST(ChangeWords, ValuesNotInUseAreComparedAsStoredWhereTheyDiffer) {
    ConfigModel shown = oneManual();
    shown.pistons[0] = piston(0, -1, 6, 9); // an editor's unassigned piston: the image holds none of it
    const ConfigModel readBack = oneManual();
    EXPECT_EQ(manualChangesInWords(shown, readBack, 1),
              std::vector<std::string>{"Manual 1, piston 1: only values not in use differ"});
    EXPECT_TRUE(manualChangesInWords(shown, readBack, readBack, 1).empty());
}

TEST(ChangeWords, WholeConfigurationsNameTheirManuals) {
    ConfigModel two = oneManual();
    two.numberOfManuals = 2;
    two.keyboards[1] = two.keyboards[0];
    ConfigModel three = two;
    three.numberOfManuals = 3;
    three.pistons[pistonIndexOf(1, 0)] = piston(5, 0, 1, 0);
    EXPECT_TRUE(configurationChangesInWords(two, two).empty());
    EXPECT_EQ(configurationChangesInWords(three, two),
              (std::vector<std::string>{"Number of manuals: 3 \u2192 2",
                                        "Manual 2, piston 1: Ahlborn SET on MIDI Channel 1 \u2192 Unassigned",
                                        "Manual 3: present \u2192 absent"}));
    EXPECT_EQ(configurationChangesInWords(oneManual(), two),
              (std::vector<std::string>{"Number of manuals: 1 \u2192 2", "Manual 2: absent \u2192 present"}));
}

// The chain read from the MCUs has no names; the configuration's call its manuals and pistons.
TEST(ChangeWords, ManualsAndPistonsAreCalledByTheirNamesWhichADiffComparesToo) {
    ConfigModel chain = oneManual();
    ConfigModel named = chain;
    named.names.manualNames[0] = "Great";
    named.names.pistonLabels[4] = "General 5";
    named.pistons[4] = piston(7, 0, 3, 5);
    const std::string changed = "Program Change #5 on MIDI Channel 3";
    EXPECT_EQ(
        manualChangesInWords(chain, named, 1),
        std::vector<std::string>{"Manual 1 (Great), piston 5 (General 5): Unassigned \u2192 " + changed});
    EXPECT_EQ(manualChangesInWords(named, chain, 1),
              std::vector<std::string>{"Manual 1 (Great), piston 5 (General 5): " + changed +
                                       " \u2192 Unassigned"});

    ConfigModel renamed = named;
    renamed.names.manualNames[0] = "Hauptwerk";
    renamed.names.pistonLabels[4].clear();
    renamed.names.compass[0] = 32;
    EXPECT_TRUE(manualChangesInWords(named, renamed, 1).empty()) << "no MCU holds a name";
    EXPECT_EQ(configurationChangesInWords(named, renamed),
              (std::vector<std::string>{
                  "Manual 1: name \"Great\" \u2192 \"Hauptwerk\"", "Manual 1: compass 61 keys \u2192 32 keys",
                  "Manual 1 (Hauptwerk), piston 5: label \"General 5\" \u2192 (none)"}));
}

} // namespace
} // namespace zkt
