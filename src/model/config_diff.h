#pragma once
// Field-by-field comparison of two configurations under the model's field names: the form of
// `zktcli diff --fields`, which scripts read. People get change_words.h.

#include "model/config_model.h"

#include <string>
#include <vector>

namespace zkt {

struct ConfigDifference {
    std::string where; // "Manual 2, piston 5", "Manual 1, channel 3", "Manual 3", or "" for the whole
    std::string field; // model field name, "shoe.channel" for a channel's shoe; "" for a whole manual
    std::string left;  // the value in the first configuration, "(absent)" if it has no such manual
    std::string right;
};

// Manuals that only one side has are one difference each; the others are compared field by field.
std::vector<ConfigDifference> diffConfigurations(const ConfigModel& left, const ConfigModel& right);

// "Manual 2, piston 5: midiChannel 3 -> 4"
std::string formatDifference(const ConfigDifference& difference);

} // namespace zkt
