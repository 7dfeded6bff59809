#pragma once
// zktcli's subcommands, registered on the application by the file and device halves.

#include <CLI/CLI.hpp>

namespace zkt::cli {

// show, export, import, diff: work on .zkt and .json files.
void registerFileCommands(CLI::App& app);
// ports, detect, load, write, verify, backups: the encoder chain (real MIDI or the simulator).
void registerDeviceCommands(CLI::App& app);
// chart: the printable piston chart; only where the program is built with Qt.
void registerChartCommand(CLI::App& app);

} // namespace zkt::cli
