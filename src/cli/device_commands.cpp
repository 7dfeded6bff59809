#include "cli/cli_commands.h"

namespace zkt::cli {
void registerDeviceCommands(CLI::App&) {}
} // namespace zkt::cli
