#include "document/write_start.h"

namespace zkt {

WriteStart writeStart(const ConfigModel& model, const WriteOptions& options) {
    if (model.numberOfManuals < 1)
        return {WriteStart::First::refuse,
                {"The configuration has no manuals, so there is nothing to write.",
                 "Open a configuration file, or load the settings from the ZKT, first."}};
    if (!options.backup && !options.onlyChanged)
        return {WriteStart::First::ask, {}};
    return {WriteStart::First::readFirst, {}};
}

} // namespace zkt
