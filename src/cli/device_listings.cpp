#include "cli/device_listings.h"

#include "model/backup_store.h"
#include "settings/user_folders.h"

#include <string>
#include <vector>

namespace zkt::cli {

namespace {

void printNumbered(std::ostream& out, const char* heading, const std::vector<std::string>& names) {
    out << heading << '\n';
    for (std::size_t i = 0; i < names.size(); ++i)
        out << "  " << i << ": " << names[i] << '\n';
}

} // namespace

void listPorts(DeviceSession& session, std::ostream& out) {
    printNumbered(out, "MIDI inputs:", session.port().inputNames());
    printNumbered(out, "MIDI outputs:", session.port().outputNames());
}

void listBackups(std::ostream& out) {
    const std::filesystem::path folder = backupsFolder();
    const std::vector<BackupEntry> entries = zkt::listBackups(folder);
    if (entries.empty()) {
        out << "No backups in " << folder.string() << '\n';
        return;
    }
    for (const BackupEntry& entry : entries)
        out << entry.takenAt << "  " << entry.manuals << (entry.manuals == 1 ? " manual   " : " manuals  ")
            << entry.path.string() << '\n';
}

} // namespace zkt::cli
