#pragma once
// zktcli's subcommands, registered on the application by the file and device halves.

#include <CLI/CLI.hpp>

#include <string>

namespace zkt::cli {

// The language of what zktcli says: the environment's, as other programs read it, unless the
// option --language names one; set before any command runs.
void addLanguageOption(CLI::App& app);
// show, export, import, diff: work on .zkt and .json files.
void registerFileCommands(CLI::App& app);
// ports, detect, load, write, verify, backups: the encoder chain (real MIDI or the simulator).
void registerDeviceCommands(CLI::App& app);
// chart: the printable piston chart; only where the program is built with Qt.
void registerChartCommand(CLI::App& app);
// The chart program's other work, where the program is built with Qt: HTML (the console check's
// report) written as a PDF file with the footer line on every page. Throws std::runtime_error.
void writeHtmlAsPdf(const std::string& html, const std::string& footer, const std::string& path);

} // namespace zkt::cli
