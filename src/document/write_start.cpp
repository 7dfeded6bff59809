#include "document/write_start.h"

#include "i18n/tr.h"

namespace zkt {

WriteStart writeStart(const ConfigModel& model, const WriteOptions& options) {
    if (model.numberOfManuals < 1)
        return {WriteStart::First::refuse,
                {tr("The configuration has no manuals, so there is nothing to write."),
                 tr("Open a configuration file, or load the settings from the ZKT, first.")}};
    if (!options.backup && !options.onlyChanged)
        return {WriteStart::First::ask, {}};
    return {WriteStart::First::readFirst, {}};
}

} // namespace zkt
