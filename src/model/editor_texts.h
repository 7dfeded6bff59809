#pragma once
// The words of the piston and keyboard editors, for every front end, in the current language:
// titles, captions, prompts, placeholders and the names screen readers give the inputs. A '&' marks the
// letter a desktop underlines for Alt+letter; withoutMnemonic gives the text as a page shows it.

#include <array>
#include <string>
#include <string_view>

namespace zkt::editortext {

// Both editors' buttons.
std::string save();
std::string cancel();

// The piston editor.
std::string pistonTitle();
std::string pistonLocationUnknown();
std::string labelCaption();
std::string labelPlaceholder();
std::string labelAccessibleName();
std::string functionQuestion();
std::string midiChannelCaption();
std::string numCaption();
std::string allChannelsCaption();

// The keyboard editor.
std::string keyboardTitle();
std::string manualLocationUnknown();
std::string nameCaption();
std::string namePlaceholder();
std::string nameAccessibleName();
std::array<std::string, 2> pageCaptions();
std::string channelPageHeading();
std::array<std::string, 4> channelColumnCaptions();
std::string velocityOnCaption();
std::string velocityOnToolTip();
std::string generalPageHeading();
std::string optionsFrame();
std::string archiveFrame();
std::string archiveInputQuestion();
std::string archiveChannelQuestion();

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
