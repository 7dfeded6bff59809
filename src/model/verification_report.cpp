#include "model/verification_report.h"

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
            report.push_back(name + ": not in the chain (" + std::to_string(readBack.numberOfManuals) +
                             " manuals detected)");
            continue;
        }
        // The read-back is taken as decoded: whatever an MCU holds must be reportable, even data
        // the encoder would refuse.
        std::vector<std::string> changes = manualChangesInWords(written, stored, readBack, manual);
        if (changes.empty())
            continue;
        for (std::string& change : changes)
            change.insert(0, "  ");
        report.push_back(name + ": the chain differs from the file in " + std::to_string(changes.size()) +
                         (changes.size() == 1 ? " setting" : " settings") + " (file" + changeArrow +
                         "chain):");
        report.insert(report.end(), changes.begin(), changes.end());
    }
    return report;
}

} // namespace zkt
