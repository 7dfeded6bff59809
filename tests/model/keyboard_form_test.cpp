// The keyboard editor's inputs without a window: what a manual opens on, which inputs are
// enabled, and what "Save" stores, values no list offers included.

#include "model/carried_values.h"
#include "model/keyboard_form.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

ManualSettings someManual() {
    ManualSettings settings;
    settings.keyboard = {3, 3, 129,
                         5}; // archive on channel 3, no archive input, options 0 and 7, channels 1 and 3
    settings.channelTranspose.fill(defaultTranspose);
    settings.channelVelocity.fill(defaultVelocity);
    return settings;
}

std::string text(const ListItems& list, int position) {
    return position == noSelection ? "(none)" : list.items[static_cast<std::size_t>(position)].text;
}

TEST(KeyboardForm, OpensOnTheManual) {
    ManualSettings settings = someManual();
    settings.channelTranspose[2] = 200;   // no such key offset
    settings.shoes[4] = {1, false, true}; // Input 2, Expression (11)
    settings.shoes[5] = {2, true, false}; // input set but off
    const KeyboardInputs inputs = keyboardInputsOf(settings);
    const ChannelRowInputs& first = inputs.rows[0];
    EXPECT_TRUE(first.on);
    EXPECT_FALSE(inputs.rows[1].on);
    EXPECT_TRUE(inputs.rows[2].on);
    EXPECT_EQ(text(keyOffsetList(), first.keyOffset), "0");
    EXPECT_EQ(text(keyOffsetList(), inputs.rows[2].keyOffset), "(none)");
    EXPECT_TRUE(first.velocityOn);
    EXPECT_EQ(text(velocityList(), first.velocity), "0");
    EXPECT_EQ(text(analogInputList(), inputs.rows[4].analogInput), "Input 2");
    EXPECT_EQ(text(controllerList(), inputs.rows[4].controller), "Expression (11)");
    EXPECT_EQ(text(analogInputList(), inputs.rows[5].analogInput), "Disabled");
    EXPECT_EQ(inputs.options, (std::array<bool, 8>{true, false, false, false, false, false, false, true}));
    EXPECT_EQ(text(analogInputList(), inputs.archiveInput), "Disabled");
    EXPECT_EQ(text(archiveChannelList(), inputs.archiveChannel), "3");
    EXPECT_EQ(keyboardEditorLocation(1), "Manual # 2");

    struct Enabled {
        ChannelRowInputs row;
        bool keyOffset, velocityOn, velocity, controller;
    };
    const Enabled cases[] = {
        {{false, 0, false, 0, 0, 0}, false, false, false, false},
        {{true, 0, true, 0, 1, 0}, true, true, false, true},
        {{true, 0, false, 0, noSelection, 0}, true, true, true, true},
    };
    for (const auto& c : cases) {
        const ChannelRowEnabled enabled = enabledInputs(c.row);
        EXPECT_EQ(std::tie(enabled.keyOffset, enabled.velocityOn, enabled.velocity, enabled.controller),
                  std::tie(c.keyOffset, c.velocityOn, c.velocity, c.controller));
    }
}

TEST(KeyboardForm, SavesTheInputsAndKeepsWhatNoInputHolds) {
    ManualSettings settings = someManual();
    settings.keyboard.archiveChannel = 0; // before any load: no entry in the list
    settings.channelTranspose[1] = 50;
    settings.channelVelocity[1] = 77;
    EXPECT_EQ(savedSettings(settings, keyboardInputsOf(settings)), settings);

    KeyboardInputs inputs = keyboardInputsOf(settings);
    inputs.rows[0].keyOffset = 127 - 48; // +12
    inputs.rows[2].velocityOn = false;
    inputs.rows[2].velocity = 127 - 100;
    inputs.rows[1].keyOffset = 0;   // a disabled channel: not stored
    inputs.rows[1].analogInput = 3; // but its analog input is
    inputs.rows[1].controller = 0;
    inputs.options[0] = false;
    inputs.archiveInput = 2;
    const ManualSettings stored = savedSettings(settings, inputs);
    EXPECT_EQ(stored.channelTranspose[0], 48);
    EXPECT_EQ(stored.channelVelocity[2], 100);
    EXPECT_EQ(stored.channelTranspose[1], 50);
    EXPECT_EQ(stored.channelVelocity[1], 77);
    EXPECT_EQ(stored.shoes[1], (shoeInfo{2, true, true}));
    EXPECT_EQ(stored.keyboard.keyboardConfig, 128);
    EXPECT_EQ(stored.keyboard.archiveInput, 1);
    EXPECT_EQ(stored.keyboard.archiveChannel, 0);
    EXPECT_EQ(stored.keyboard.channels, 5);

    KeyboardInputs unlisted = inputs;
    unlisted.rows[0] = {true, 500, false, -7, 9, 2};
    unlisted.archiveInput = 4;
    unlisted.archiveChannel = 16;
    const ManualSettings kept = savedSettings(settings, unlisted);
    EXPECT_EQ(kept.channelTranspose[0], settings.channelTranspose[0]);
    EXPECT_EQ(kept.channelVelocity[0], settings.channelVelocity[0]);
    EXPECT_EQ(kept.shoes[0], settings.shoes[0]);
    EXPECT_EQ(kept.keyboard.archiveInput, settings.keyboard.archiveInput);
    EXPECT_EQ(kept.keyboard.archiveChannel, settings.keyboard.archiveChannel);

    inputs.rows[0].on = false;
    inputs.archiveInput = 0;
    const ManualSettings fewer = savedSettings(settings, inputs);
    EXPECT_EQ(fewer.keyboard.channels, 4);
    EXPECT_EQ(fewer.keyboard.archiveInput, 3);
}

// What the organ cannot hold is refused in the editor's words, with nothing stored; a name is
// kept as typed, or as it was when the input was left as it showed it.
TEST(KeyboardForm, RefusesAFixedVelocityOfZeroOnAnEnabledChannelAndTakesTheName) {
    const int zero = velocityList().count() - 1;
    KeyboardForm form(someManual(), 1, "Great\norgan");
    EXPECT_EQ(form.nameShown(), "Great organ");
    form.setVelocityOn(1, false);
    form.chooseVelocity(1, zero); // channel 2 is disabled: its velocity is not stored
    form.setVelocityOn(2, false);
    form.chooseVelocity(2, zero);
    KeyboardForm::Saved saved = form.save();
    EXPECT_FALSE(saved.settings);
    EXPECT_EQ(saved.refusal, velocityFaultInWords(3));
    EXPECT_EQ(form.refusal(), saved.refusal);

    form.chooseVelocity(2, zero - 1);
    form.typeName("Great organ");
    saved = form.save();
    ASSERT_TRUE(saved.settings);
    EXPECT_EQ(saved.settings->channelVelocity[2], 1);
    EXPECT_EQ(saved.name, "Great\norgan") << "the input as it was given keeps the line break";
    EXPECT_TRUE(form.refusal().empty());

    form.typeName("  Swell  ");
    EXPECT_EQ(form.save().name, "Swell");
    form.typeName("\xff");
    EXPECT_EQ(form.save().refusal, "The name is not UTF-8 text.");
    EXPECT_THROW(KeyboardForm(someManual(), 5), std::out_of_range);
}

} // namespace
} // namespace zkt
