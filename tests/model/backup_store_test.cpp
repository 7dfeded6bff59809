// The backups folder over many writes: only the newest are kept, whatever else the user keeps
// there stays, and two writes within one second each keep their own backup.

#include "model/backup_store.h"
#include "model/program_image.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>

namespace zkt {
namespace {

using namespace std::chrono_literals;

// Each backup of the rotation holds something of its own: the same images again are not kept twice.
std::vector<Bytes> imagesNumbered(std::size_t number, std::size_t manuals) {
    return std::vector<Bytes>(manuals, Bytes(programImageSize, static_cast<std::uint8_t>(number)));
}

struct Rotation {
    const char* name;
    std::chrono::milliseconds apart;
};

class BackupRotation : public ::testing::TestWithParam<Rotation> {};

TEST_P(BackupRotation, KeepsTheNewestFiftyNewestFirstAndLeavesOtherFilesAlone) {
    test::TempFolder folder;
    const std::string notes = folder.write("notes.txt", "mine");
    const std::string ownOrgan = folder.write("organ.zkt", "mine too");
    const auto start = std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 20'000);

    constexpr std::size_t saved = backupsKept + 3;
    std::vector<std::filesystem::path> paths;
    for (std::size_t i = 0; i < saved; ++i)
        paths.push_back(
            saveBackup(folder.path(), imagesNumbered(i, 2), start + GetParam().apart * static_cast<int>(i)).path);
    ASSERT_EQ(std::set(paths.begin(), paths.end()).size(), saved) << "a backup replaced another";

    const std::vector<BackupEntry> entries = listBackups(folder.path());
    ASSERT_EQ(entries.size(), backupsKept);
    for (std::size_t i = 0; i < backupsKept; ++i) {
        EXPECT_EQ(entries[i].path, paths[saved - 1 - i]) << i;
        EXPECT_EQ(entries[i].manuals, 2);
        if (i > 0) {
            EXPECT_GE(entries[i - 1].takenAt, entries[i].takenAt) << i;
        }
    }
    for (std::size_t i = 0; i < saved - backupsKept; ++i)
        EXPECT_FALSE(std::filesystem::exists(paths[i])) << paths[i];
    EXPECT_TRUE(std::filesystem::exists(notes));
    EXPECT_TRUE(std::filesystem::exists(ownOrgan));
}

INSTANTIATE_TEST_SUITE_P(Writes, BackupRotation,
                         ::testing::Values(Rotation{"SecondsApart", 1000ms}, Rotation{"WithinOneSecond", 0ms},
                                           Rotation{"HalfASecondApart", 500ms}),
                         [](const auto& info) { return std::string(info.param.name); });

// A machine whose clock has gone back (a flat battery, no network time) names its backup as if
// it were the oldest: it must be kept all the same, as the one backup of what the chain held.
TEST(BackupRotation, KeepsTheBackupJustTakenUnderAClockSetBack) {
    test::TempFolder folder;
    const auto now = std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 20'000);
    for (std::size_t i = 0; i < backupsKept; ++i)
        saveBackup(folder.path(), imagesNumbered(i, 1), now + std::chrono::seconds(i));

    const std::filesystem::path takenBack =
        saveBackup(folder.path(), imagesNumbered(backupsKept, 1), now - std::chrono::hours(24 * 365)).path;
    EXPECT_TRUE(std::filesystem::exists(takenBack));
    const std::vector<BackupEntry> entries = listBackups(folder.path());
    EXPECT_EQ(entries.size(), backupsKept);
    EXPECT_EQ(entries.back().path, takenBack);
}

// Writing a configuration the chain already holds, again and again, keeps one backup of it.
TEST(BackupRotation, TheSameImagesAgainNameTheNewestBackupInsteadOfACopy) {
    test::TempFolder folder;
    const auto now = std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 20'000);
    const KeptBackup first = saveBackup(folder.path(), imagesNumbered(7, 3), now);
    EXPECT_FALSE(first.alreadyKept);
    const KeptBackup again = saveBackup(folder.path(), imagesNumbered(7, 3), now + std::chrono::seconds(5));
    EXPECT_TRUE(again.alreadyKept);
    EXPECT_EQ(again.path, first.path);
    EXPECT_FALSE(saveBackup(folder.path(), imagesNumbered(8, 3), now + std::chrono::seconds(9)).alreadyKept);
    EXPECT_EQ(listBackups(folder.path()).size(), 2u);
}

} // namespace
} // namespace zkt
