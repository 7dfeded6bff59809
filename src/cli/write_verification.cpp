#include "cli/write_verification.h"

#include "model/config_diff.h"
#include "model/program_image.h"

#include <algorithm>

namespace zkt::cli {

namespace {

// The manual as the MCU should now hold it: through its image, so fields the image cannot
// carry are compared as the read-back sees them.
void copyManualThroughImage(ConfigModel& to, const ConfigModel& from, int manual) {
    decodeManual(to, manual, encodedManual(from, manual));
}

} // namespace

std::vector<std::string> verificationReport(const ConfigModel& written, const ConfigModel& readBack) {
    const int writtenManuals = std::clamp<int>(written.numberOfManuals, 0, maxManuals);
    const int compared = std::clamp<int>(readBack.numberOfManuals, 0, writtenManuals);

    ConfigModel expected;
    expected.numberOfManuals = static_cast<std::int16_t>(compared);
    expected.hardwareType = written.hardwareType;
    for (int manual = 1; manual <= compared; ++manual)
        copyManualThroughImage(expected, written, manual);
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
        std::vector<std::string> fields;
        for (const ConfigDifference& difference : differences) {
            if (difference.where == name || difference.where.starts_with(name + ","))
                fields.push_back("  " + formatDifference(difference));
        }
        if (fields.empty())
            continue;
        report.push_back(name + ": the chain differs from the file in " + std::to_string(fields.size()) +
                         (fields.size() == 1 ? " field" : " fields") + " (file -> chain):");
        report.insert(report.end(), fields.begin(), fields.end());
    }
    return report;
}

} // namespace zkt::cli
