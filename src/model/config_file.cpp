#include "model/config_file.h"

#include "model/atomic_file.h"
#include "model/hex_text.h"
#include "model/program_image.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace zkt {

namespace {

// Reads up to the next CR LF, LF or CR. Empty optional at the end of the file.
class LineReader {
public:
    LineReader(std::istream& in, const std::string& path) : m_in(in), m_path(path) {}

    // A line longer than maximumLineLength is refused, or with longLinesCut, cut there: past the
    // last manual only whether a line holds anything matters.
    std::optional<std::string> next(bool longLinesCut = false) {
        std::streambuf& buffer = *m_in.rdbuf();
        if (buffer.sgetc() == std::char_traits<char>::eof()) {
            return std::nullopt;
        }
        ++m_lineNumber;
        std::string line;
        for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
            if (c == '\n') {
                break;
            }
            if (c == '\r') {
                if (buffer.sgetc() == '\n') {
                    buffer.sbumpc();
                }
                break;
            }
            if (line.size() == maximumLineLength) {
                if (longLinesCut)
                    continue;
                throw ConfigFileError(m_path, m_lineNumber,
                                      "line is longer than " + std::to_string(maximumLineLength) +
                                          " characters; this is not a configuration file");
            }
            line.push_back(static_cast<char>(c));
        }
        return line;
    }

    int lineNumber() const { return m_lineNumber; }

private:
    std::istream& m_in;
    const std::string& m_path;
    int m_lineNumber = 0;
};

} // namespace

std::string withZktExtension(const std::string& path) {
    return path.find('.') == std::string::npos ? path + ".zkt" : path;
}

int readConfigurationFile(const std::string& path, ConfigModel& model, ConfigFileCheck& check) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        throw ConfigFileError(path, 0, "is a folder, not a file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ConfigFileError(path, 0, std::string("cannot open: ") + std::strerror(errno));
    }

    ConfigModel loaded = model;
    int manuals = 0;
    LineReader lines(in, path);
    ConfigFileLineCheck lineCheck;
    // Past the fifth manual only as far as the check needs, to say whether anything was left out.
    const auto nextLine = [&] { return lines.next(manuals == maxManuals); };
    for (auto line = nextLine(); line && lineCheck.take(*line); line = nextLine()) {
        if (line->size() < minimumImageLineLength) {
            continue;
        }
        try {
            decodeProgramImage(loaded, manuals + 1, hexToBytes(*line));
        } catch (const HexFormatError& e) {
            throw ConfigFileError(path, lines.lineNumber(), e.what());
        } catch (const ImageTooShort& e) {
            throw ConfigFileError(path, lines.lineNumber(), e.what());
        }
        ++manuals;
    }
    if (in.bad()) {
        throw ConfigFileError(path, lines.lineNumber(), "cannot read the file");
    }

    loaded.numberOfManuals = static_cast<std::int16_t>(manuals);
    model = std::move(loaded);
    check = lineCheck.result();
    return manuals;
}

int readConfigurationFile(const std::string& path, ConfigModel& model) {
    ConfigFileCheck ignored;
    return readConfigurationFile(path, model, ignored);
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
    return text;
}

void writeImagesFile(const std::string& path, const std::vector<Bytes>& images) {
    if (images.size() > static_cast<std::size_t>(maxManuals))
        throw ConfigFileError(path, 0,
                              std::to_string(images.size()) + " images are more than a chain can hold");
    std::string text;
    for (const Bytes& image : images) {
        if (image.size() != programImageSize) {
            throw ConfigFileError(path, 0,
                                  "an image of " + std::to_string(image.size()) + " bytes, not " +
                                      std::to_string(programImageSize));
        }
        ImageBuffer buffer{};
        std::copy(image.begin(), image.end(), buffer.begin());
        text += imageLine(buffer);
    }
    writeFileAtomically(path, text);
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
