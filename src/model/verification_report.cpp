#include "model/verification_report.h"

#include "model/config_diff.h"
#include "model/program_image.h"

#include <algorithm>

namespace zkt {

std::vector<std::string> verificationReport(const ConfigModel& written, const ConfigModel& readBack) {
    const int writtenManuals = std::clamp<int>(written.numberOfManuals, 0, maxManuals);
    const int compared = std::clamp<int>(readBack.numberOfManuals, 0, writtenManuals);

    // The manuals as the MCUs should now hold them: through their images, so fields an image
    // cannot carry are compared as the read-back sees them.
    const ConfigModel expected = throughImages(written, compared);
    // The read-back is taken as decoded: whatever an MCU holds must be reportable, even data
    // the encoder would refuse.
    ConfigModel actual = readBack;
    actual.numberOfManuals = static_cast<std::int16_t>(compared);
    const std::vector<ConfigDifference> differences = diffConfigurations(expected, actual);

    std::vector<std::string> report;
    for (int manual = 1; manual <= writtenManuals; ++manual) {
        const std::string name = "Manual " + std::to_string(manual);
        if (manual > compared) {
            report.push_back(name + ": not in the chain (" + std::to_string(readBack.numberOfManuals) +
                             " manuals detected)");
            continue;
        }
        std::vector<std::string> fields = differencesOfManual(differences, manual);
        if (fields.empty())
            continue;
        for (std::string& field : fields)
            field.insert(0, "  ");
        report.push_back(name + ": the chain differs from the file in " + std::to_string(fields.size()) +
                         (fields.size() == 1 ? " field" : " fields") + " (file -> chain):");
        report.insert(report.end(), fields.begin(), fields.end());
    }
    return report;
}

} // namespace zkt
