#pragma once
// The words of the piston and keyboard editors, for every front end: titles, captions, prompts,
// placeholders and the names screen readers give the inputs. A '&' marks the letter a desktop
// underlines for Alt+letter; withoutMnemonic gives the text as a page shows it.

#include <array>
#include <string>
#include <string_view>

namespace zkt::editortext {

// Both editors' buttons.
inline constexpr const char* save = "Save";
inline constexpr const char* cancel = "Cancel";

// The piston editor.
inline constexpr const char* pistonTitle = "Thumb Piston Assignment";
inline constexpr const char* pistonLocationUnknown = "Thumb piston location:";
inline constexpr const char* labelCaption = "&Label:";
inline constexpr const char* labelPlaceholder = "As on the console, e.g. General 5";
inline constexpr const char* labelAccessibleName = "Label of the piston";
inline constexpr const char* functionQuestion = "What do you want this thumb piston to do?";
inline constexpr const char* midiChannelCaption = "MIDI Channel";
inline constexpr const char* numCaption = "NUM=";
inline constexpr const char* allChannelsCaption = "All";

// The keyboard editor.
inline constexpr const char* keyboardTitle = "Keyboard Settings";
inline constexpr const char* manualLocationUnknown = "Manual #?";
inline constexpr const char* nameCaption = "&Name:";
inline constexpr const char* namePlaceholder = "As the organist calls it, e.g. Great, Swell, Pedal";
inline constexpr const char* nameAccessibleName = "Name of the manual";
inline constexpr std::array<const char*, 2> pageCaptions{"MIDI Channel Settings", "General Settings"};
inline constexpr const char* channelPageHeading =
    "You can choose the key offset, velocity, and analog input for each channel";
inline constexpr std::array<const char*, 4> channelColumnCaptions{"#", "Key Offset", "Velocity On/Fixed",
                                                                  "Analog Input + Controller Type"};
inline constexpr const char* velocityOnCaption = "On";
inline constexpr const char* velocityOnToolTip =
    "Checked: the keys send the velocity they are played with.\n"
    "Unchecked: every note has the fixed velocity chosen beside.";
inline constexpr const char* generalPageHeading = "These settings apply to this entire keyboard";
inline constexpr const char* optionsFrame = "Enable Piston + Key Combinations";
inline constexpr const char* archiveFrame = "Ahlborn Archive Crescendo";
inline constexpr const char* archiveInputQuestion = "Use with which Analog Input?";
inline constexpr const char* archiveChannelQuestion = "On which MIDI channel?";

// What a screen reader calls the inputs of a channel's row (1..16).
struct ChannelRowNames {
    std::string channel;    // "Channel 3", its check box
    std::string keyOffset;  // "Channel 3 key offset"
    std::string velocityOn; // "Channel 3 velocity on"
    std::string velocity;   // "Channel 3 fixed velocity"
    std::string analogInput;
    std::string controller;
};
ChannelRowNames channelRowNames(int midiChannel);

// "&Label:" as "Label:", "&&" as "&".
std::string withoutMnemonic(std::string_view text);

} // namespace zkt::editortext
