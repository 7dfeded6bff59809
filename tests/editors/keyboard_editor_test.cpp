#include "editors/keyboard_editor.h"
#include "model/keyboard_form.h"
#include "widget_lookup.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace zkt {
namespace {

using namespace test;

constexpr int manual = 1; // "Manual # 2": slots 16..31

std::size_t slot(int midiChannel) {
    return static_cast<std::size_t>(channelSlotOf(manual, midiChannel));
}

class KeyboardEditorTest : public testing::Test {
protected:
    ConfigModel model;
    KeyboardEditor editor{model};

    void open() { ASSERT_TRUE(editor.prepare(manual)); }
    keyboardInfo& keyboard() { return model.keyboards[manual]; }
    // Row inputs by MIDI channel 1..16.
    QCheckBox& channelBox(int midiChannel) { return checkNamed(editor, "chkChannel", midiChannel - 1); }
    QCheckBox& velocityBox(int midiChannel) { return checkNamed(editor, "chkVelocity", midiChannel - 1); }
    QComboBox& rowList(const char* base, int midiChannel) { return listNamed(editor, base, midiChannel - 1); }
    QComboBox& archiveList(int index) { return listNamed(editor, "cboArchiveAnalogInput", index); }
    void save() { clickButton(editor, "cmdOK"); }
};

TEST_F(KeyboardEditorTest, LocationLineUsesTheSignedNumberForm) {
    EXPECT_EQ(widgetNamed<QLabel>(editor, QStringLiteral("lblMIDIChannels")).text(),
              QStringLiteral("Manual #?"));
    open();
    EXPECT_EQ(widgetNamed<QLabel>(editor, QStringLiteral("lblMIDIChannels")).text(),
              QStringLiteral("Manual # 2"));
    EXPECT_FALSE(editor.prepare(5));
    EXPECT_FALSE(editor.prepare(-1));
}

TEST_F(KeyboardEditorTest, DisabledChannelsLockTheirKeyAndVelocityInputsOnly) {
    keyboard().channels = 5;
    model.channelVelocity[slot(1)] = 64;
    model.channelVelocity[slot(3)] = 128 + 64;
    model.shoes[slot(2)] = {.channel = 0, .volumeControl = false, .expressionOn = true};
    open();
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        SCOPED_TRACE(channel);
        const bool enabled = channel == 1 || channel == 3;
        EXPECT_EQ(channelBox(channel).isChecked(), enabled);
        EXPECT_EQ(rowList("cboTransposeInput", channel).isEnabled(), enabled);
        EXPECT_EQ(velocityBox(channel).isEnabled(), enabled);
        // Channel 3's velocity option is on, which locks its value.
        EXPECT_EQ(rowList("cboVelocity", channel).isEnabled(), channel == 1);
        EXPECT_TRUE(rowList("cboAnalogInput", channel).isEnabled());
        EXPECT_EQ(rowList("cboMidiController", channel).isEnabled(), channel == 2);
    }

    channelBox(2).setChecked(true);
    EXPECT_TRUE(rowList("cboTransposeInput", 2).isEnabled());
    EXPECT_FALSE(rowList("cboVelocity", 2).isEnabled()); // option on by default
    velocityBox(2).setChecked(false);
    EXPECT_TRUE(rowList("cboVelocity", 2).isEnabled());
    channelBox(1).setChecked(false);
    EXPECT_FALSE(rowList("cboVelocity", 1).isEnabled());
    chooseText(rowList("cboAnalogInput", 2), QStringLiteral("Disabled"));
    EXPECT_FALSE(rowList("cboMidiController", 2).isEnabled());
}

TEST_F(KeyboardEditorTest, KeyOffsetAndVelocityMapToTheirBytes) {
    keyboard().channels = 1;
    open();
    EXPECT_EQ(rowList("cboTransposeInput", 1).currentText(), QStringLiteral("0"));
    EXPECT_TRUE(velocityBox(1).isChecked());
    EXPECT_EQ(rowList("cboVelocity", 1).currentText(), QStringLiteral("0"));

    struct Edit {
        const char* offset;
        bool velocityOption;
        const char* velocity;
        std::uint8_t transpose;
        std::uint8_t velocityByte;
    };
    const Edit edits[]{{"+12", false, "100", 48, 100},
                       {"-36", true, "100", 0, 228},
                       {"+91", false, "127", 127, 127},
                       {"0", true, "0", 36, 128}};
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.offset);
        open();
        chooseText(rowList("cboTransposeInput", 1), QLatin1String(edit.offset));
        velocityBox(1).setChecked(edit.velocityOption);
        chooseText(rowList("cboVelocity", 1), QLatin1String(edit.velocity));
        save();
        EXPECT_EQ(model.channelTranspose[slot(1)], edit.transpose);
        EXPECT_EQ(model.channelVelocity[slot(1)], edit.velocityByte);
    }
}

// The byte 00 is the MCU's "no velocity", read back as a fixed 127: refused on an enabled channel
// only, since a disabled channel's velocity is not stored.
TEST_F(KeyboardEditorTest, AFixedVelocityOfZeroIsRefusedSayingWhy) {
    keyboard().channels = 0b101;
    model.channelVelocity[slot(3)] = 90;
    open();
    editor.show();
    velocityBox(3).setChecked(false);
    chooseText(rowList("cboVelocity", 3), QStringLiteral("0"));
    velocityBox(2).setChecked(false);
    chooseText(rowList("cboVelocity", 2), QStringLiteral("0"));
    chooseText(rowList("cboTransposeInput", 1), QStringLiteral("+12"));
    save();
    const auto& why = widgetNamed<QLabel>(editor, QStringLiteral("lblSaveRefused"));
    EXPECT_TRUE(why.isVisibleTo(&editor));
    EXPECT_TRUE(why.text().startsWith(QStringLiteral("Channel 3: a fixed velocity of 0")));
    EXPECT_EQ(model.channelTranspose[slot(1)], defaultTranspose) << "nothing stored";

    chooseText(rowList("cboVelocity", 3), QStringLiteral("1"));
    save();
    EXPECT_EQ(model.channelVelocity[slot(3)], 1);
    EXPECT_EQ(model.channelTranspose[slot(1)], 48);
    open();
    EXPECT_FALSE(why.isVisibleTo(&editor));
    editor.hide();
}

TEST_F(KeyboardEditorTest, AnalogInputAndControllerMapToTheShoe) {
    model.shoes[slot(5)] = {.channel = 2, .volumeControl = true, .expressionOn = false};
    open();
    EXPECT_EQ(rowList("cboAnalogInput", 5).currentText(), QStringLiteral("Disabled"));
    EXPECT_FALSE(rowList("cboMidiController", 5).isEnabled());
    EXPECT_EQ(rowList("cboMidiController", 5).currentText(), QStringLiteral("Volume (7)"));

    chooseText(rowList("cboAnalogInput", 5), QStringLiteral("Input 2"));
    chooseText(rowList("cboMidiController", 5), QStringLiteral("Expression (11)"));
    save();
    EXPECT_EQ(model.shoes[slot(5)], (shoeInfo{.channel = 1, .volumeControl = false, .expressionOn = true}));

    open();
    chooseText(rowList("cboAnalogInput", 5), QStringLiteral("Disabled"));
    save();
    // Switching the input off keeps which input it was.
    EXPECT_EQ(model.shoes[slot(5)], (shoeInfo{.channel = 1, .volumeControl = false, .expressionOn = false}));
}

TEST_F(KeyboardEditorTest, GeneralSettingsDecomposeAndCompose) {
    keyboard() = {.archiveChannel = 16, .archiveInput = 3, .keyboardConfig = 129, .channels = 0};
    open();
    for (int bit = 0; bit < keyboardOptionBits; ++bit) {
        EXPECT_EQ(checkNamed(editor, "chkKeyboardConfig", bit).isChecked(), bit == 0 || bit == 7) << bit;
    }
    EXPECT_EQ(archiveList(0).currentText(), QStringLiteral("Disabled"));
    EXPECT_EQ(archiveList(1).currentText(), QStringLiteral("16"));
    save();
    EXPECT_EQ(keyboard(), (keyboardInfo{.archiveChannel = 16, .archiveInput = 3, .keyboardConfig = 129}));

    open();
    checkNamed(editor, "chkKeyboardConfig", 0).setChecked(false);
    checkNamed(editor, "chkKeyboardConfig", 3).setChecked(true);
    chooseText(archiveList(0), QStringLiteral("Input 3"));
    chooseText(archiveList(1), QStringLiteral("1"));
    save();
    EXPECT_EQ(keyboard(), (keyboardInfo{.archiveChannel = 1, .archiveInput = 2, .keyboardConfig = 136}));
}

TEST_F(KeyboardEditorTest, UncheckedChannelKeepsKeyAndVelocityButStoresItsShoe) {
    keyboard().channels = 0xFFFF;
    model.channelTranspose[slot(2)] = 40;
    model.channelVelocity[slot(2)] = 90;
    open();
    channelBox(2).setChecked(false);
    chooseText(rowList("cboTransposeInput", 2), QStringLiteral("+50"));
    chooseText(rowList("cboAnalogInput", 2), QStringLiteral("Input 1"));
    chooseText(rowList("cboMidiController", 2), QStringLiteral("Volume (7)"));
    save();
    EXPECT_EQ(keyboard().channels, 0xFFFD);
    EXPECT_EQ(model.channelTranspose[slot(2)], 40);
    EXPECT_EQ(model.channelVelocity[slot(2)], 90);
    EXPECT_EQ(model.shoes[slot(2)], (shoeInfo{.channel = 0, .volumeControl = true, .expressionOn = true}));
}

TEST_F(KeyboardEditorTest, CancelAndReopenShowsTheModelAgainButKeepsThePage) {
    keyboard().channels = 0x8000;
    open();
    channelBox(16).setChecked(false);
    channelBox(4).setChecked(true);
    clickButton(editor, "tabMidiChannels_1");
    clickButton(editor, "cmdCancel");
    EXPECT_EQ(keyboard().channels, 0x8000);

    editor.show();
    open();
    EXPECT_TRUE(channelBox(16).isChecked());
    EXPECT_FALSE(channelBox(4).isChecked());
    EXPECT_EQ(editor.chosenPage(), generalSettingsPage);
    EXPECT_TRUE(widgetNamed<QWidget>(editor, QStringLiteral("fraChannels_1")).isVisibleTo(&editor));
    EXPECT_FALSE(widgetNamed<QWidget>(editor, QStringLiteral("fraChannels_0")).isVisibleTo(&editor));
    clickButton(editor, "tabMidiChannels_0");
    EXPECT_TRUE(widgetNamed<QWidget>(editor, QStringLiteral("fraChannels_0")).isVisibleTo(&editor));
    editor.hide();
}

// Stored values the lists have no entry for: nothing is selected, and saving keeps the value.
TEST_F(KeyboardEditorTest, ValuesWithoutAListEntrySurviveAnUnchangedSave) {
    keyboard() = {.archiveChannel = 0, .archiveInput = 7, .keyboardConfig = 0, .channels = 0x0003};
    model.channelTranspose[slot(1)] = 200;
    model.shoes[slot(1)] = {.channel = 5, .volumeControl = true, .expressionOn = true};
    model.channelTranspose[slot(2)] = 128;
    const ConfigModel before = model;
    open();
    EXPECT_EQ(rowList("cboTransposeInput", 1).currentIndex(), -1);
    EXPECT_EQ(rowList("cboTransposeInput", 2).currentIndex(), -1);
    EXPECT_EQ(rowList("cboAnalogInput", 1).currentIndex(), -1);
    EXPECT_EQ(archiveList(0).currentIndex(), -1);
    EXPECT_EQ(archiveList(1).currentIndex(), -1);
    save();
    EXPECT_EQ(model, before);
}

TEST_F(KeyboardEditorTest, UnchangedSaveKeepsATypicalManual) {
    keyboard() = {.archiveChannel = 9, .archiveInput = 0, .keyboardConfig = 0x5A, .channels = 0xA5C3};
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        model.channelTranspose[slot(channel)] = static_cast<std::uint8_t>(channel * 7);
        model.channelVelocity[slot(channel)] = static_cast<std::uint8_t>(channel * 15);
        model.shoes[slot(channel)] = {.channel = static_cast<std::uint8_t>(channel % 3),
                                      .volumeControl = channel % 2 == 0,
                                      .expressionOn = channel % 4 != 0};
    }
    const ConfigModel before = model;
    open();
    save();
    EXPECT_EQ(model, before);
}

} // namespace
} // namespace zkt
