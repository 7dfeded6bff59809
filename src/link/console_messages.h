#pragma once
// What the configured console sends, as the boards are taken to send it: the notes of a key,
// the messages of a piston of the standard MIDI groups, the controller of a shoe. The simulated
// console plays them and the console check expects them, so the two can never disagree.
//
// Keys: no description of the boards says how they number their keys. The lowest key of a
// manual is taken to send the channel's key offset byte (36 at key offset 0) and each key above
// it one more; a key whose note would pass 127 sends nothing on that channel.

#include "link/channel_message.h"
#include "model/config_model.h"

#include <optional>
#include <vector>

namespace zkt {

// The Note On velocity a piston of the Note On/Off group is taken to send.
inline constexpr int pistonNoteVelocity = 127;

// The note key (1 = the lowest) sends on the channel slot, if any.
std::optional<int> keyNote(const ConfigModel& model, int channelSlot, int key);
// The velocity a channel always sends, unless it senses how the key is played. A stored 0
// is 127, as the boards read it.
std::optional<int> fixedVelocity(const ConfigModel& model, int channelSlot);

// What a key of the manual sends on each enabled channel: Note On with the channel's fixed
// velocity or the one it was played with, and a Note Off when it is let go.
std::vector<ChannelMessage> keyMessages(const ConfigModel& model, int manualIndex, int key, bool pressed,
                                        int playedVelocity);

// Whether the organ's own protocol carries the piston's messages (the Ahlborn, PLEXO, HX-90
// and LARKMOOR groups): what they send is not known here.
bool sendsOrgansOwnMessages(const pistonInfo& piston);
// What a piston of the standard groups sends when pressed, in order (a Bank Select's MSB, LSB
// and program; All Notes Off on every channel from 1 to 16), and when let go (the Note Off of
// a Note On/Off piston). Empty for the other groups.
std::vector<ChannelMessage> pistonMessages(const pistonInfo& piston, bool pressed);

// The controller (controller::volume or controller::expression) and channels an analog input
// (0..2) of the manual drives, each with value.
std::vector<ChannelMessage> shoeMessages(const ConfigModel& model, int manualIndex, int input, int value);

} // namespace zkt
