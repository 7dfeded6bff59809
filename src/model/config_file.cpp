#include "model/config_file.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/atomic_file.h"
#include "model/config_file_check.h"
#include "model/config_file_lines.h"
#include "model/console_name_lines.h"
#include "model/console_names.h"
#include "model/hex_text.h"
#include "model/program_image.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zkt {

std::string withZktExtension(const std::string& path) {
    return path.find('.') == std::string::npos ? path + ".zkt" : path;
}

namespace {

std::ifstream openConfigurationFile(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        throw ConfigFileError(path, 0, tr("is a folder, not a file"));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        // TRANSLATORS: %1 is the system's reason, in English.
        throw ConfigFileError(path, 0, formatText(tr("cannot open: %1"), std::strerror(errno)));
    }
    return in;
}

// Decodes the lines into loaded; where held is given, each image line's bytes as the file holds
// them go there too. Returns the number of manuals read.
int readLines(std::istream& in, const std::string& name, ConfigModel& loaded, ConfigFileLineCheck& lineCheck,
              std::vector<Bytes>* held) {
    int manuals = 0;
    ConfigFileLines lines(in, name);
    // Past the fifth manual only as far as the check needs, to say whether anything was left out.
    const auto nextLine = [&] { return lines.next(manuals == maxManuals); };
    for (auto line = nextLine(); line && lineCheck.take(*line); line = nextLine()) {
        if (isConsoleNameLine(*line)) {
            // One that cannot be read is only skipped, and the check says so.
            if (const ConsoleNameLine named = parseConsoleNameLine(*line); named.problem.empty())
                takeConsoleNameLine(named, loaded.names);
            continue;
        }
        if (line->size() < minimumImageLineLength) {
            continue;
        }
        try {
            const Bytes bytes = hexToBytes(*line);
            decodeProgramImage(loaded, manuals + 1, bytes);
            if (held) {
                Bytes image(programImageSize, 0xFF);
                std::copy_n(bytes.begin(), std::min(bytes.size(), programImageSize), image.begin());
                held->push_back(std::move(image));
            }
        } catch (const HexFormatError& e) {
            throw ConfigFileError(name, lines.lineNumber(), e.what());
        } catch (const ImageTooShort& e) {
            throw ConfigFileError(name, lines.lineNumber(), e.what());
        }
        ++manuals;
    }
    if (in.bad()) {
        throw ConfigFileError(name, lines.lineNumber(), tr("cannot read the file"));
    }
    return manuals;
}

} // namespace

int readConfigurationFile(const std::string& path, ConfigModel& model, ConfigFileCheck& check) {
    std::ifstream in = openConfigurationFile(path);
    return readConfiguration(in, path, model, check);
}

std::vector<Bytes> configurationImages(const std::string& path) {
    std::ifstream in = openConfigurationFile(path);
    ConfigModel ignored;
    ConfigFileLineCheck lineCheck;
    std::vector<Bytes> images;
    readLines(in, path, ignored, lineCheck, &images);
    return images;
}

int readConfigurationFile(const std::string& path, ConfigModel& model) {
    ConfigFileCheck ignored;
    return readConfigurationFile(path, model, ignored);
}

int readConfigurationText(std::string_view text, const std::string& name, ConfigModel& model,
                          ConfigFileCheck& check) {
    std::istringstream in{std::string(text)};
    return readConfiguration(in, name, model, check);
}

int readConfiguration(std::istream& in, const std::string& name, ConfigModel& model, ConfigFileCheck& check) {
    ConfigModel loaded = model;
    // The file's names are the configuration's: a file without any has none.
    loaded.names = {};
    ConfigFileLineCheck lineCheck;
    const int manuals = readLines(in, name, loaded, lineCheck, nullptr);
    loaded.numberOfManuals = static_cast<std::int16_t>(manuals);
    // Names of manuals the file does not hold would never be shown or saved again.
    for (int m = manuals; m < maxManuals; ++m)
        clearManualNames(loaded.names, m);
    model = std::move(loaded);
    check = lineCheck.result();
    return manuals;
}

namespace {

std::string imageLine(std::span<const std::uint8_t> buffer) {
    return bytesToHex(buffer) + "\r\n";
}

} // namespace

std::string configurationText(const ConfigModel& model) {
    std::string text;
    for (int manual = 1; manual <= model.numberOfManuals; ++manual)
        text += imageLine(encodedManual(model, manual));
    for (const std::string& line : consoleNameLines(model.names, model.numberOfManuals))
        text += line + "\r\n";
    return text;
}

std::string imagesText(const std::vector<Bytes>& images, const std::string& name) {
    if (images.size() > static_cast<std::size_t>(maxManuals))
        throw ConfigFileError(name, 0,
                              std::to_string(images.size()) + " images are more than a chain can hold");
    std::string text;
    for (const Bytes& image : images) {
        if (image.size() != programImageSize) {
            throw ConfigFileError(name, 0,
                                  "an image of " + std::to_string(image.size()) + " bytes, not " +
                                      std::to_string(programImageSize));
        }
        ImageBuffer buffer{};
        std::copy(image.begin(), image.end(), buffer.begin());
        text += imageLine(buffer);
    }
    return text;
}

void writeImagesFile(const std::string& path, const std::vector<Bytes>& images) {
    writeFileAtomically(path, imagesText(images, path));
}

void writeConfigurationFile(const std::string& path, const ConfigModel& model) {
    if (model.numberOfManuals < 0 || model.numberOfManuals > maxManuals) {
        throw ConfigFileError(path, 0,
                              "numberOfManuals " + std::to_string(model.numberOfManuals) +
                                  " is not between 0 and " + std::to_string(maxManuals));
    }
    std::string text;
    try {
        text = configurationText(model);
    } catch (const EncodeOverflow& e) {
        throw ConfigFileError(path, 0, e.what());
    }
    writeFileAtomically(path, text);
}

} // namespace zkt
