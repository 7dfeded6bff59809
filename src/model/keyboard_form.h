#pragma once
// The keyboard editor's inputs for one manual, with no window toolkit: the position each list
// holds, which inputs are enabled, and what "Save" makes of them. Front ends draw it.
// A stored value that a list has no entry for shows as no selection and is saved as it was.

#include "model/config_clipboard.h"
#include "model/config_model.h"
#include "model/list_fill.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

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
ListItems analogInputList();
ListItems controllerList();
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

// The keyboard editor open on one manual: the inputs as they stand, the manual's name, and what
// "Save" stores or why it refuses (a fixed velocity the organ would give back as another, a name
// that is not text). Positions outside their lists read as no selection.
class KeyboardForm {
public:
    // The input that has the focus when the editor opens.
    static constexpr const char* openOn = "txtManualName";

    static bool hasManual(int manualIndex);
    // manualIndex 0..4 (hasManual). Throws std::out_of_range otherwise.
    KeyboardForm(const ManualSettings& settings, int manualIndex, std::string name = {});

    int manualIndex() const { return m_manualIndex; }
    std::string location() const { return keyboardEditorLocation(m_manualIndex); }
    const KeyboardInputs& inputs() const { return m_inputs; }
    // By MIDI channel - 1.
    ChannelRowEnabled enabled(int row) const;

    // The name as an input shows it, on one line; what was typed replaces the name unless it is
    // what the input was given, which keeps a line break it could not show.
    std::string nameShown() const;
    void typeName(std::string_view shown);

    // Rows by MIDI channel - 1; rows, bits and positions outside their lists change nothing.
    void setChannelOn(int row, bool on);
    void chooseKeyOffset(int row, int position);
    void setVelocityOn(int row, bool on);
    void chooseVelocity(int row, int position);
    void chooseAnalogInput(int row, int position);
    void chooseController(int row, int position);
    void setOption(int bit, bool on);
    void chooseArchiveInput(int position);
    void chooseArchiveChannel(int position);

    struct Saved {
        std::optional<ManualSettings> settings; // empty when the editor refuses
        std::string name;                       // as typed (typedConsoleName)
        std::string refusal;
    };
    // Keeps the refusal for refusal() until the next "Save".
    Saved save();
    const std::string& refusal() const { return m_refusal; }

private:
    ChannelRowInputs* row(int index);

    ManualSettings m_settings;
    int m_manualIndex;
    KeyboardInputs m_inputs;
    std::string m_name;
    bool m_nameTyped = false;
    std::string m_refusal;
};

} // namespace zkt
