#include "settings/program_log.h"
#include "settings_test_dir.h"

namespace zkt {
namespace {

class ProgramLogTest : public test::SettingsTestDir {};

TEST_F(ProgramLogTest, WritesOnlyWhenSwitchedOnAndNeverThrows) {
    ProgramLog log(file("ZKTConfig.log"));
    log.writeLog("MCU Config: start at 08.12.2026 01:00:00");
    EXPECT_FALSE(std::filesystem::exists(log.path()));

    log.setEnabled(true);
    log.writeLog("MCU Config: start at 08.12.2026 01:00:00");
    log.writeLog("No MIDI Card present.");
    log.writeLog("");
    EXPECT_EQ(readAll(log.path()), "MCU Config: start at 08.12.2026 01:00:00\nNo MIDI Card present.\n\n");

    // A second log on the same file appends instead of starting over.
    ProgramLog later(log.path());
    later.setEnabled(true);
    later.writeLog("Error in patch loading.");
    EXPECT_EQ(readAll(log.path()), "MCU Config: start at 08.12.2026 01:00:00\nNo MIDI Card present.\n\n"
                                   "Error in patch loading.\n");

    ProgramLog nowhere((dir() / "missing folder" / "ZKTConfig.log").string());
    nowhere.setEnabled(true);
    EXPECT_NO_THROW(nowhere.writeLog("MIDI error opening MIDI tx stream."));
    ProgramLog onAFolder(dir().string());
    onAFolder.setEnabled(true);
    EXPECT_NO_THROW(onAFolder.writeLog("MIDI error opening MIDI tx stream."));
    EXPECT_TRUE(std::filesystem::is_directory(dir()));
}

} // namespace
} // namespace zkt
