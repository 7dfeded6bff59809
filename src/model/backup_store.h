#pragma once
// The folder of backups taken before writes: one .zkt file per write, holding what the chain
// held, named by the date and time it was read. Only the newest are kept.

#include "model/bytes.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace zkt {

inline constexpr std::size_t backupsKept = 50;

struct BackupEntry {
    std::filesystem::path path;
    std::string takenAt; // "2026-12-08 14:05:31", from the name
    int manuals = 0;
};

struct KeptBackup {
    std::filesystem::path path;
    // The newest backup already held exactly these images, so no other was stored.
    bool alreadyKept = false;
};

// Writes the images to a new file named by `when` (local time) and removes the oldest backups
// beyond backupsKept, unless the newest backup holds the same. Creates the folder. Throws
// ConfigFileError.
KeptBackup saveBackup(const std::filesystem::path& folder, const std::vector<Bytes>& images,
                      std::chrono::system_clock::time_point when);

// "2026-12-08_14-05-31": what the name of a backup taken at `when` (local time) starts with.
std::string backupStamp(std::chrono::system_clock::time_point when);
// "2026-12-08 14:05:31", from a name that starts with a stamp; any other name as it is.
std::string readableBackupStamp(const std::string& name);

// Newest first. A missing folder has none; files that are not backups are left out.
std::vector<BackupEntry> listBackups(const std::filesystem::path& folder);

} // namespace zkt
