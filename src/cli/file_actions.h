#pragma once
// What zktcli's file commands do, apart from parsing their arguments. Every failure is an
// exception whose message names the file and, for content, the manual, record and field; what
// a damaged .zkt file left out goes to warnings, and one that may lack a manual is refused.

#include "model/config_model.h"

#include <optional>
#include <ostream>
#include <string>

namespace zkt::cli {

void showConfiguration(const std::string& path, std::ostream& out, std::ostream& warnings);

// The JSON form with a "description" line per piston for the reader, to outputPath (replaced
// whole, never half-written) or, without one, to out.
void exportConfiguration(const std::string& sourcePath, const std::optional<std::string>& outputPath,
                         std::ostream& out, std::ostream& warnings);

// Every manual is encoded before the output file is touched, so a refused value leaves an
// existing file as it was.
void importConfiguration(const std::string& jsonPath, const std::string& outputPath);

enum class DiffForm {
    words,  // as the window and `zktcli show` say it: "Manual 1, channel 2: key offset 0 → -12"
    fields, // the model's field names and stored values, for scripts: "Manual 1, channel 2: channelTranspose
            // 36 -> 24"
};

// Prints one line per difference; true when the two configurations are equal.
bool compareConfigurations(const std::string& leftPath, const std::string& rightPath, DiffForm form,
                           std::ostream& out, std::ostream& warnings);

} // namespace zkt::cli
