#include "cli/file_actions.h"

#include "cli/config_source.h"
#include "cli/show_report.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/atomic_file.h"
#include "model/change_words.h"
#include "model/config_diff.h"
#include "model/config_file.h"
#include "model/config_json.h"

#include <stdexcept>

namespace zkt::cli {
namespace {

// Output to a full disk or a closed pipe must not end in a success status.
void requireWritten(std::ostream& out) {
    out.flush();
    if (!out)
        throw std::runtime_error(tr("could not write the output (disk full or output closed?)"));
}

} // namespace

void showConfiguration(const std::string& path, std::ostream& out, std::ostream& warnings) {
    const ConfigModel model = loadConfigurationSource(path, warnings);
    // TRANSLATORS: the first line of `zktcli show`, with the file's name.
    out << formatText(tr("Configuration %1"), path) << '\n';
    writeShowReport(model, out);
    requireWritten(out);
}

void exportConfiguration(const std::string& sourcePath, const std::optional<std::string>& outputPath,
                         std::ostream& out, std::ostream& warnings) {
    const std::string text = configurationExportText(loadConfigurationSource(sourcePath, warnings));
    if (outputPath) {
        writeFileAtomically(*outputPath, text);
    } else {
        out << text;
        requireWritten(out);
    }
}

void importConfiguration(const std::string& jsonPath, const std::string& outputPath) {
    if (!isJsonPath(jsonPath))
        throw ConfigFileError(jsonPath, 0, tr("import reads a .json file"));
    ConfigModel model = readJsonConfiguration(jsonPath);
    // The device's type is unknown here; 0 gives the image format byte of every other type.
    model.hardwareType = 0;
    writeFileAtomically(outputPath, configurationText(model));
}

bool compareConfigurations(const std::string& leftPath, const std::string& rightPath, DiffForm form,
                           std::ostream& out, std::ostream& warnings) {
    const ConfigModel left = loadConfigurationSource(leftPath, warnings);
    const ConfigModel right = loadConfigurationSource(rightPath, warnings);
    std::vector<std::string> lines;
    if (form == DiffForm::fields) {
        for (const auto& difference : diffConfigurations(left, right))
            lines.push_back(formatDifference(difference));
    } else {
        lines = configurationChangesInWords(left, right);
    }
    for (const std::string& line : lines)
        out << line << '\n';
    requireWritten(out);
    return lines.empty();
}

} // namespace zkt::cli
