#pragma once
// One manual's keyboard settings as a person reads them, in the editors' words: the report of
// `zktcli show` and the printed chart lay out the same texts.

#include "model/config_model.h"

#include <string>
#include <vector>

namespace zkt {

struct ChannelSummary {
    int channel; // MIDI channel 1..16
    bool enabled;
    std::string keyOffset;   // "+12", "0", "-6"
    bool velocitySensing;    // the key's velocity is sent rather than a fixed one
    std::string velocity;    // "sensing" or the fixed value
    std::string analogInput; // "Disabled" or the input's name
    std::string controller;  // "-" while no input drives the channel
};

struct OptionSummary {
    bool on;
    std::string caption;
};

// Channel 1..16 of the manual, enabled or not.
ChannelSummary channelSummary(const ConfigModel& model, int manualIndex, int channel);

// The enabled channels of the manual, lowest first.
std::vector<ChannelSummary> enabledChannels(const ConfigModel& model, int manualIndex);

// The eight piston + key option bits by their captions, bit 0 first.
std::vector<OptionSummary> keyboardOptions(const keyboardInfo& keyboard);

std::string archiveCrescendoTitle();

// "Input 3 on MIDI channel 4", or "Disabled" when no input works as the crescendo pedal.
std::string archiveCrescendoText(const keyboardInfo& keyboard);

} // namespace zkt
