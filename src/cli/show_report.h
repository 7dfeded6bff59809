#pragma once
// The report of `zktcli show`: everything a configuration does, as a person reads it.

#include "model/config_model.h"

#include <ostream>

namespace zkt::cli {

// Per manual: the enabled channels with key offset, velocity and analog input, the option
// bits by their captions, the archive crescendo, and the 20 pistons.
void writeShowReport(const ConfigModel& model, std::ostream& out);

} // namespace zkt::cli
