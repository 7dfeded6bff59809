#pragma once
// What the copy of unsaved changes holds, as text: the configuration as a .zkt file holds it,
// the file it belonged to, what the title called it and when it was kept. A JSON object whose
// layout copies kept by earlier versions of the window share, so that they still read.

#include "model/config_model.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zkt {

struct RecoveredChanges {
    std::string documentPath;      // the file the changes belong to; empty when no file holds them
    std::string documentName;      // what the title called the configuration
    std::string keptAt;            // in UTC, "2024-05-01T18:30:00Z"; empty where the copy does not say
    std::string configurationText; // as a .zkt file holds it
};

// Throws EncodeOverflow, naming the value no image can hold.
std::string recoveryCopyText(const ConfigModel& model, std::string_view documentPath,
                             std::string_view documentName, std::chrono::system_clock::time_point keptAt);
// None where the text is no copy: not JSON, or without the configuration.
std::optional<RecoveredChanges> readRecoveryCopy(std::string_view text);

// The moment as the copy holds it: ISO 8601 in UTC, to the second.
std::string utcTimeText(std::chrono::system_clock::time_point moment);

} // namespace zkt
