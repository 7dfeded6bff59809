#pragma once
// zktcli check-console: the console check on the chosen MIDI input, its faults on stderr as they
// come, the report on stdout, and the exit status of its verdict (cli/exit_codes.h).

#include "cli/device_session.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zkt::cli {

// Writes a report's HTML as a PDF file, the footer line on every page; throws on failure.
using PdfWriter =
    std::function<void(const std::string& html, const std::string& footer, const std::string& path)>;

struct CheckConsoleOptions {
    std::string file;              // empty: the chain is read first
    std::optional<double> seconds; // --for; otherwise until Ctrl-C
    std::vector<int> keys;         // --keys: the compasses of manuals 1, 2, ...
    std::string reportPath;        // --report: .html, .htm or .pdf
    PdfWriter writePdf;            // empty where zktcli is built without Qt
    bool terminal = false;         // someone at a terminal can answer "Press piston 8 of manual 1"
};

// Opens the session on device only once the options and FILE are found good: anything wrong with
// them throws (std::invalid_argument, or the file's error) before a MIDI device is touched.
int checkConsole(const DeviceOptions& device, const CheckConsoleOptions& options, std::ostream& out,
                 std::ostream& err);

} // namespace zkt::cli
