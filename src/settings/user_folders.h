#pragma once
// Where the program keeps data of its own for the user, after the XDG base directory rules:
// $XDG_DATA_HOME, or ~/.local/share where it is not set. The window asks Qt for the same place.

#include <filesystem>

namespace zkt {

// <data home>/ZKTConfig/backups
std::filesystem::path backupsFolder();

} // namespace zkt
