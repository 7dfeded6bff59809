#pragma once
// Reading a configuration named on zktcli's command line: a .json file in the JSON form,
// anything else as a .zkt configuration file.

#include "model/config_model.h"

#include <string>
#include <string_view>

namespace zkt::cli {

// extension in lower case with its dot; the path's may be in any case.
bool hasExtension(const std::string& path, std::string_view extension);
bool isJsonPath(const std::string& path);

// A .zkt file is decoded into a freshly started model, so its manuals do not depend on
// anything loaded before. Errors name the file.
ConfigModel loadConfigurationSource(const std::string& path);

} // namespace zkt::cli
