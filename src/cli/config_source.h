#pragma once
// Reading a configuration named on zktcli's command line: a .json file in the JSON form,
// anything else as a .zkt configuration file.

#include "model/config_model.h"

#include <ostream>
#include <string>
#include <string_view>

namespace zkt::cli {

// extension in lower case with its dot; the path's may be in any case.
bool hasExtension(const std::string& path, std::string_view extension);
bool isJsonPath(const std::string& path);

// A .zkt file is decoded into a freshly started model, so its manuals do not depend on
// anything loaded before. What a damaged file left out goes to warnings, one line each
// ("zktcli: organ.zkt: Only the first five manuals were read."); a file that may lack a manual
// (a line that is not an image, or no image at all) is then refused. Errors name the file.
ConfigModel readConfigurationForCommand(const std::string& path, std::ostream& warnings);

// Errors name the file and, for its contents, the manual, record and field.
ConfigModel readJsonConfiguration(const std::string& path);

// A .json file in the JSON form, anything else as readConfigurationForCommand.
ConfigModel loadConfigurationSource(const std::string& path, std::ostream& warnings);

} // namespace zkt::cli
