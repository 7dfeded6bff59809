#pragma once
// What a channel message is, in the words the piston descriptions use: "Program Change #9 on
// MIDI Channel 4" (the program as the editors number it, 1..128), "Note On, note 61 on MIDI
// Channel 2, velocity 100". The MIDI monitor and the console check both say it so.

#include "link/channel_message.h"

#include <string>

namespace zkt {

std::string channelMessageWords(const ChannelMessage& message);

// The same without the velocity or value that changes from one press or movement to the next
// ("Volume (7) on MIDI Channel 5"): what makes two messages the same kind of message.
std::string channelMessageShape(const ChannelMessage& message);

} // namespace zkt
