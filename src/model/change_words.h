#pragma once
// What differs between two configurations, in the words the editors, the piston overview and
// `zktcli show` use: a piston by its description and detail, a channel by its key offset,
// velocity and analog input, an option by its caption. The write dialog, the read-back after
// a write, `zktcli diff` and `zktcli verify` report changes so; `zktcli diff --fields` keeps the
// model's field names for scripts.

#include "model/config_model.h"

#include <string>
#include <vector>

namespace zkt {

// Between the value before and the value after, in every report of changes.
inline constexpr const char* changeArrow = " \u2192 ";

// "Manual 1, channel 2: key offset 0 → -12", one line per change of manual (1..5): its options,
// archive crescendo, channels, then pistons. Manuals and pistons are called by their names and
// labels ("Manual 1 (Great), piston 5 (General 5): ..."), taken from `after` or, where it has
// none (a chain read from the MCUs), from `before`; the names themselves are not compared, as
// no MCU holds them. A record whose words agree but whose stored values
// differ (an analog input's controller while the input is disabled, say) gets one line that
// says only values not in use differ. Where `before` is a configuration about to be written,
// `beforeStored` is what its images carry, and the stored values are compared there.
std::vector<std::string> manualChangesInWords(const ConfigModel& before, const ConfigModel& beforeStored,
                                              const ConfigModel& after, int manual);
std::vector<std::string> manualChangesInWords(const ConfigModel& before, const ConfigModel& after,
                                              int manual);

// The whole configurations: the number of manuals, manuals only one of them has, and the changes
// of every manual both have, its name, compass and its pistons' labels among them ("Manual 1:
// name "Great" → (none)", "Manual 3: compass 61 keys → 32 keys"). Empty exactly when they are the
// same.
std::vector<std::string> configurationChangesInWords(const ConfigModel& before, const ConfigModel& after);

} // namespace zkt
