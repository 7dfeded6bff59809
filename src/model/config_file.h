#pragma once
// The ".zkt" configuration file: the image buffer of each manual as one line of hex text,
// manual 1 first. No header and no manual numbers: a line's manual is its place among the
// lines long enough to count. The console's names follow in short lines of their own
// (console_name_lines.h).

#include "model/bytes.h"
#include "model/config_file_check.h"
#include "model/config_file_error.h"
#include "model/config_model.h"

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

inline constexpr std::size_t minimumImageLineLength = 700; // shorter lines are skipped

// ".zkt" appended when the path contains no "." at all (folder names included).
std::string withZktExtension(const std::string& path);

// Decodes the file's lines into a copy of model and, when every line read went well,
// replaces model by it: numberOfManuals = the lines accepted, and the names the file gives.
// Returns the number of manuals loaded, and in check what a damaged file left out. On any
// failure throws ConfigFileError naming the file, the line and the reason, and model is left
// exactly as it was.
int readConfigurationFile(const std::string& path, ConfigModel& model, ConfigFileCheck& check);
// The images of the file's manuals exactly as its lines hold them (programImageSize bytes each,
// FF where a line stops short of it), as an MCU given them would hold them. Throws
// ConfigFileError as readConfigurationFile does.
std::vector<Bytes> configurationImages(const std::string& path);
// The same where nobody is told of damage: the simulator's chain images and tests.
int readConfigurationFile(const std::string& path, ConfigModel& model);
// The same from a file's contents or from a stream; name stands for the path in errors.
int readConfigurationText(std::string_view text, const std::string& name, ConfigModel& model,
                          ConfigFileCheck& check);
int readConfiguration(std::istream& in, const std::string& name, ConfigModel& model, ConfigFileCheck& check);

// The file's contents for manuals 1..numberOfManuals; without names, only the image lines.
// Throws EncodeOverflow for a value that does not fit its byte.
std::string configurationText(const ConfigModel& model);

// Encodes every manual first, then replaces the file in one step: on failure the previous
// file is intact. Throws ConfigFileError naming the path and the reason.
void writeConfigurationFile(const std::string& path, const ConfigModel& model);

// Images exactly as an MCU holds them (programImageSize bytes each), one line per manual, as a
// backup keeps what the chain held. Replaced in one step like a configuration file.
void writeImagesFile(const std::string& path, const std::vector<Bytes>& images);
// The same file's contents, for a backup kept elsewhere than in a file (the browser's storage);
// name stands for the file in errors.
std::string imagesText(const std::vector<Bytes>& images, const std::string& name);

} // namespace zkt
