#include "cli/device_listings.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/backup_store.h"
#include "model/config_model.h"
#include "model/console_names.h"
#include "settings/user_folders.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zkt::cli {

namespace {

void printNumbered(std::ostream& out, const std::string& heading, const std::vector<std::string>& names) {
    out << heading << '\n';
    for (std::size_t i = 0; i < names.size(); ++i)
        out << "  " << i << ": " << names[i] << '\n';
}

std::string manualCount(int manuals) {
    // TRANSLATORS: in the list of backups, between the time a backup was taken and its file.
    return formatText(trn("%1 manual", "%1 manuals", static_cast<unsigned long>(manuals)), manuals);
}

} // namespace

void listPorts(DeviceSession& session, std::ostream& out) {
    printNumbered(out, tr("MIDI inputs:"), session.port().inputNames());
    printNumbered(out, tr("MIDI outputs:"), session.port().outputNames());
}

void listBackups(std::ostream& out) {
    const std::filesystem::path folder = backupsFolder();
    const std::vector<BackupEntry> entries = zkt::listBackups(folder);
    if (entries.empty()) {
        out << formatText(tr("No backups in %1"), folder.string()) << '\n';
        return;
    }
    // The files line up: the count of manuals is as wide as it can be for any backup.
    std::size_t width = 0;
    for (int manuals = 0; manuals <= maxManuals; ++manuals)
        width = std::max(width, characterCount(manualCount(manuals)));
    for (const BackupEntry& entry : entries) {
        const std::string count = manualCount(entry.manuals);
        out << entry.takenAt << "  " << count
            << std::string(width - std::min(width, characterCount(count)) + 2, ' ') << entry.path.string()
            << '\n';
    }
}

} // namespace zkt::cli
