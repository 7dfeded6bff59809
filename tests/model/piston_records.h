#pragma once
// Piston records written the way the tables in the model tests read best: group, type, channel, program.

#include "model/config_model.h"

#include <cstdint>

namespace zkt::test {

inline pistonInfo piston(int group, int type, int channel, int program, bool allChannels = false) {
    pistonInfo p;
    p.functionGroup = static_cast<std::int16_t>(group);
    p.functionType = static_cast<std::int16_t>(type);
    p.midiChannel = static_cast<std::int16_t>(channel);
    p.programNumber = static_cast<std::int16_t>(program);
    p.bankSelProgramFlag = allChannels;
    return p;
}

} // namespace zkt::test
