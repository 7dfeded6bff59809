#pragma once
// The keyboard editor's inputs for one manual, with no window toolkit: the position each list
// holds, which inputs are enabled, and what "Save" makes of them. Front ends draw it.
// A stored value that a list has no entry for shows as no selection and is saved as it was.

#include "model/config_clipboard.h"
#include "model/config_model.h"
#include "model/list_fill.h"

#include <array>
#include <string>

namespace zkt {

inline constexpr int keyboardOptionBits = 8;

// One row of the "MIDI Channel Settings" page; list positions, noSelection where none.
struct ChannelRowInputs {
    bool on = false;         // the channel is enabled
    int keyOffset = 0;       // in keyOffsetList()
    bool velocityOn = false; // the keys send the velocity they are played with
    int velocity = 0;        // in velocityList(), the fixed velocity
    int analogInput = 0;     // in analogInputList(); 0 is "Disabled"
    int controller = 0;      // in controllerList()

    bool operator==(const ChannelRowInputs&) const = default;
};

struct KeyboardInputs {
    std::array<ChannelRowInputs, channelsPerManual> rows{}; // by MIDI channel - 1
    std::array<bool, keyboardOptionBits> options{};         // by bit of keyboardConfig
    int archiveInput = 0;                                   // in analogInputList()
    int archiveChannel = 0;                                 // in archiveChannelList()

    bool operator==(const KeyboardInputs&) const = default;
};

struct ChannelRowEnabled {
    bool keyOffset;
    bool velocityOn;
    bool velocity;
    bool controller;
};

// The lists, with their texts: key offsets +91 down to -36, velocities 127 down to 0, the
// analog inputs with "Disabled" first, the controllers, the archive channels 16 down to 1.
const ListItems& keyOffsetList();
const ListItems& velocityList();
const ListItems& analogInputList();
const ListItems& controllerList();
const ListItems& archiveChannelList();

// The inputs as the editor opens on the manual's settings.
KeyboardInputs keyboardInputsOf(const ManualSettings& settings);

// A disabled channel's key offset and velocity inputs are disabled; an enabled channel's fixed
// velocity is enabled while its velocity option is off; the controller while an input drives it.
ChannelRowEnabled enabledInputs(const ChannelRowInputs& row);

// The settings "Save" stores: those of the inputs, over settings for what no input holds (no
// selection, or a position outside its list). A channel that is not enabled keeps its key offset
// and velocity.
ManualSettings savedSettings(const ManualSettings& settings, const KeyboardInputs& inputs);

// "Manual # 2": the number in its signed form, as the editor has always titled it.
std::string keyboardEditorLocation(int manualIndex);

} // namespace zkt
