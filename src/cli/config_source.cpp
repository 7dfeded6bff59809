#include "cli/config_source.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/config_file.h"
#include "model/config_json.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zkt::cli {
namespace {

// Far beyond any hand-written configuration (an export is about 150 kB), small enough that
// a wrong argument such as a device file is refused quickly.
constexpr std::size_t maxJsonBytes = 16u * 1024u * 1024u;

std::string readJsonText(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw ConfigFileError(path, 0, std::strerror(errno));
    std::string text;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (text.size() + got > maxJsonBytes) {
            throw ConfigFileError(path, 0,
                                  formatText(trn("larger than %1 byte, not a configuration",
                                                 "larger than %1 bytes, not a configuration", maxJsonBytes),
                                             maxJsonBytes));
        }
        text.append(chunk, got);
    }
    if (std::ferror(file.get()) != 0)
        throw ConfigFileError(path, 0, std::strerror(errno));
    return text;
}

} // namespace

bool hasExtension(const std::string& path, std::string_view extension) {
    if (path.size() < extension.size())
        return false;
    return std::equal(
        extension.begin(), extension.end(), path.end() - static_cast<long>(extension.size()),
        [](char wanted, char given) { return wanted == std::tolower(static_cast<unsigned char>(given)); });
}

bool isJsonPath(const std::string& path) {
    return hasExtension(path, ".json");
}

ConfigModel readConfigurationForCommand(const std::string& path, std::ostream& warnings) {
    ConfigModel model;
    ConfigFileCheck check;
    readConfigurationFile(path, model, check);
    for (const std::string& warning : check.warnings)
        warnings << formatText(tr("zktcli: %1: %2"), path, warning) << '\n';
    if (check.damaged)
        throw ConfigFileError(path, 0, tr("damaged, so it was not used"));
    return model;
}

ConfigModel readJsonConfiguration(const std::string& path) {
    const std::string text = readJsonText(path);
    try {
        return configurationFromJsonText(text);
    } catch (const ConfigJsonError& e) {
        throw ConfigJsonError(formatText(tr("%1: %2"), path, e.what()));
    }
}

ConfigModel loadConfigurationSource(const std::string& path, std::ostream& warnings) {
    return isJsonPath(path) ? readJsonConfiguration(path) : readConfigurationForCommand(path, warnings);
}

} // namespace zkt::cli
