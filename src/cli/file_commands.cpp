#include "cli/cli_commands.h"

namespace zkt::cli {
void registerFileCommands(CLI::App&) {}
} // namespace zkt::cli
