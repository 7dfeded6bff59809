#include "settings/user_folders.h"

#include <cstdlib>

namespace zkt {

namespace {

std::filesystem::path dataHome() {
    // A relative XDG_DATA_HOME is invalid by the rules and is ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME");
        xdg != nullptr && std::filesystem::path(xdg).is_absolute())
        return xdg;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
}

} // namespace

std::filesystem::path backupsFolder() {
    return dataHome() / "ZKTConfig" / "backups";
}

} // namespace zkt
