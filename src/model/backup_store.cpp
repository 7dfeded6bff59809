#include "model/backup_store.h"

#include "model/atomic_file.h"
#include "model/config_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

namespace zkt {

namespace {

// "2026-12-08_14-05-31": sorts by time, and a file manager shows it readably.
constexpr std::size_t stampLength = 19;
constexpr const char* backupExtension = ".zkt";

bool isStamp(const std::string& name) {
    if (name.size() < stampLength)
        return false;
    for (std::size_t i = 0; i < stampLength; ++i) {
        const bool separator = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
        const char c = name[i];
        if (separator ? (c != '-' && c != '_') : !std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

int countImageLines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.size() >= minimumImageLineLength)
            ++lines;
    }
    return std::min(lines, maxManuals);
}

// The stamp, then the copy number of a second backup within the same second.
std::pair<std::string, int> orderOf(const std::filesystem::path& file) {
    const std::string stem = file.stem().string();
    int copy = 1;
    if (stem.size() > stampLength + 1)
        copy = std::atoi(stem.c_str() + stampLength + 1);
    return {stem.substr(0, stampLength), copy};
}

std::vector<std::filesystem::path> backupFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (it->is_regular_file() && path.extension() == backupExtension && isStamp(path.filename().string()))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return orderOf(a) > orderOf(b); });
    return files;
}

bool holds(const std::filesystem::path& file, const std::string& text) {
    std::ifstream in(file, std::ios::binary);
    const std::string held{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return !in.bad() && held == text;
}

} // namespace

std::string backupStamp(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

std::string readableBackupStamp(const std::string& name) {
    if (!isStamp(name))
        return name;
    std::string text = name.substr(0, stampLength);
    text[10] = ' ';
    text[13] = ':';
    text[16] = ':';
    return text;
}

KeptBackup saveBackup(const std::filesystem::path& folder, const std::vector<Bytes>& images,
                      std::chrono::system_clock::time_point when) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw ConfigFileError(folder.string(), 0, "cannot create the backups folder: " + error.message());
    // A write that changes nothing, repeated, must not push older backups out with copies.
    const std::vector<std::filesystem::path> existing = backupFiles(folder);
    const std::string text = imagesText(images, (folder / "backup").string());
    if (!existing.empty() && holds(existing.front(), text))
        return {existing.front(), true};
    const std::string stamp = backupStamp(when);
    // Two writes within one second each keep their own backup, numbered past the highest copy
    // of that second rather than into a gap the rotation left, so that the names still sort by time.
    int copies = 0;
    for (const std::filesystem::path& file : backupFiles(folder)) {
        const auto [fileStamp, copy] = orderOf(file);
        if (fileStamp == stamp)
            copies = std::max(copies, copy);
    }
    const std::filesystem::path path =
        folder / ((copies == 0 ? stamp : stamp + "-" + std::to_string(copies + 1)) + backupExtension);
    writeFileAtomically(path.string(), text);

    // The backup just taken stays even when its name sorts oldest, as under a clock set back.
    std::vector<std::filesystem::path> others = backupFiles(folder);
    std::erase(others, path);
    for (std::size_t i = backupsKept - 1; i < others.size(); ++i)
        std::filesystem::remove(others[i], error);
    return {path, false};
}

std::vector<BackupEntry> listBackups(const std::filesystem::path& folder) {
    std::vector<BackupEntry> entries;
    for (const std::filesystem::path& file : backupFiles(folder))
        entries.push_back({file, readableBackupStamp(file.filename().string()), countImageLines(file)});
    return entries;
}

} // namespace zkt
