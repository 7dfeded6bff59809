#include "model/verification_report.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/change_words.h"
#include "model/console_names.h"
#include "model/program_image.h"

#include <algorithm>

namespace zkt {

std::vector<std::string> verificationReport(const ConfigModel& written, const ConfigModel& readBack) {
    const int writtenManuals = std::clamp<int>(written.numberOfManuals, 0, maxManuals);
    const int compared = std::clamp<int>(readBack.numberOfManuals, 0, writtenManuals);

    // What the user saw is compared with what came back, so a piston the images turned into
    // something else is named; values not in use are compared as the images carry them.
    const ConfigModel stored = throughImages(written, compared);
    std::vector<std::string> report;
    for (int manual = 1; manual <= writtenManuals; ++manual) {
        const std::string name = manualWithName(written.names, manual);
        if (manual > compared) {
            // TRANSLATORS: %1 is the manual; the plural goes with the number of manuals detected (%2).
            report.push_back(
                formatText(trn("%1: not in the chain (%2 manuals detected)",
                               "%1: not in the chain (%2 manuals detected)",
                               static_cast<unsigned long>(std::max<int>(readBack.numberOfManuals, 0))),
                           name, readBack.numberOfManuals));
            continue;
        }
        // The read-back is taken as decoded: whatever an MCU holds must be reportable, even data
        // the encoder would refuse.
        std::vector<std::string> changes = manualChangesInWords(written, stored, readBack, manual);
        if (changes.empty())
            continue;
        for (std::string& change : changes)
            change.insert(0, "  ");
        // TRANSLATORS: %3 is the arrow between the file's value and the chain's in the lines below.
        report.push_back(formatText(
            trn("%1: the chain differs from the file in %2 setting (file%3chain):",
                "%1: the chain differs from the file in %2 settings (file%3chain):", changes.size()),
            name, changes.size(), changeArrow));
        report.insert(report.end(), changes.begin(), changes.end());
    }
    return report;
}

} // namespace zkt
