#pragma once
// What the configuration says each key, piston and shoe of the console sends, and the other way
// round: which of them a message can have come from. Built once before a check; the messages
// are those of link/console_messages.h, so the check expects what the simulated console plays.

#include "link/channel_message.h"
#include "model/config_model.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zkt {

// A key, piston or shoe of the console: manual 1..5; key 1.. (the lowest is 1), piston 1..20 or
// analog input 1..3.
struct ConsoleSource {
    enum class Kind { key, piston, shoe };
    Kind kind = Kind::key;
    int manual = 1;
    int number = 1;

    bool operator==(const ConsoleSource&) const = default;
};

enum class PistonCheck {
    followed,   // a standard MIDI group: its messages are known and recognised whenever they come
    asked,      // the organ's own group: asked for, and the next message taken as its
    notChecked, // unassigned, or holding values that name no message
};

struct PlannedPiston {
    int piston = 1;
    PistonCheck check = PistonCheck::notChecked;
    std::vector<ChannelMessage> press; // what a press sends, where followed
    int channel = 0;                   // the MIDI channel an asked piston sends on; 0 for none
};

struct PlannedShoe {
    int input = 1; // 1..3
    // Each channel the input drives, as the controller message it sends there (value 0).
    std::vector<ChannelMessage> drives;
};

struct PlannedChannel {
    int channel = 1;
    int lowestNote = 0;          // what key 1 sends
    std::optional<int> velocity; // the fixed velocity, unless it senses how keys are played
};

struct ManualPlan {
    int manual = 1;
    int compass = defaultCompass;
    std::vector<PlannedChannel> channels; // the enabled ones
    // The keys of the compass that send a note on some enabled channel; the others are not
    // expected.
    std::vector<int> expectedKeys;
    std::array<PlannedPiston, pistonsPerManual> pistons{};
    std::vector<PlannedShoe> shoes; // the inputs that drive a channel
};

struct KeyNote {
    int manual = 1;
    int key = 1;
    std::optional<int> fixedVelocity;
};

class ConsolePlan {
public:
    // Manuals 1..numberOfManuals with the compasses of model.names.
    explicit ConsolePlan(const ConfigModel& model);

    const ConfigModel& model() const { return m_model; }
    const std::vector<ManualPlan>& manuals() const { return m_manuals; }
    const ManualPlan& manual(int manual) const { return m_manuals.at(static_cast<std::size_t>(manual - 1)); }

    // The keys that send this note on this channel.
    const std::vector<KeyNote>& keysSending(int channel, int note) const;
    // The followed pistons whose press sends exactly these messages, in any order.
    std::vector<ConsoleSource> pistonsSending(const std::vector<ChannelMessage>& press) const;
    // The Note On/Off pistons that send this note on this channel.
    std::vector<ConsoleSource> notePistons(int channel, int note) const;
    // The shoes that send this controller on this channel.
    std::vector<ConsoleSource> shoesSending(int channel, int controller) const;
    // Whether some followed piston sends these messages and more after them: one press of it
    // may not have come whole yet.
    bool pressMayGrow(const std::vector<ChannelMessage>& start) const;
    // A followed piston whose press is this one on another channel, else one whose press is
    // this one with other numbers on the same channel, where there is exactly one such piston:
    // the piston most likely sending something other than its configuration.
    std::optional<ConsoleSource> pistonLike(const std::vector<ChannelMessage>& press) const;

    const PlannedPiston& piston(const ConsoleSource& source) const;
    // How many pistons of the organ's own groups are to be asked for, one at a time.
    int askedPistons() const;

private:
    ConfigModel m_model;
    std::vector<ManualPlan> m_manuals;
    std::vector<std::vector<KeyNote>> m_keysByNote; // by (channel - 1) * 128 + note
};

} // namespace zkt
