// zktcli's device commands against the simulated chain, run as a user runs them.

#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace zkt {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string output; // stdout and stderr together, in order
};

CliRun zktcli(const std::string& arguments) {
    const std::string command = std::string(ZKTCLI_PATH) + " " + arguments + " 2>&1";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.output.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class ZktcliDevice : public ::testing::Test {
protected:
    // Backups go to the test's own folder, never into the home of whoever runs the tests.
    ZktcliDevice() { ::setenv("XDG_DATA_HOME", m_folder.path().c_str(), 1); }
    std::string path(const std::string& name) const { return m_folder.file(name); }

private:
    test::TempFolder m_folder;
};

TEST_F(ZktcliDevice, LoadsWhatTheChainHoldsAndWritesItBack) {
    ConfigModel organ = exampleOrgan(3);
    organ.pistons[static_cast<std::size_t>(pistonIndexOf(2, 5))].programNumber = 77;
    writeConfigurationFile(path("organ.zkt"), organ);

    const CliRun load = zktcli("load --simulate-from " + path("organ.zkt") + " -o " + path("loaded.zkt"));
    ASSERT_EQ(load.exitCode, 0) << load.output;
    EXPECT_NE(load.output.find(
                  "Requesting ZKT Program Data from Manual #3... ok\nZKT Configuration data loaded!\nReady."),
              std::string::npos)
        << load.output;
    ConfigModel original;
    ConfigModel loaded;
    readConfigurationFile(path("organ.zkt"), original);
    readConfigurationFile(path("loaded.zkt"), loaded);
    EXPECT_TRUE(loaded == original);

    // With the backup, the comparison and the read-back all off, the write is the plain one.
    const CliRun write =
        zktcli("write " + path("loaded.zkt") + " --simulate 3 --all --no-backup --no-verify");
    ASSERT_EQ(write.exitCode, 0) << write.output;
    EXPECT_NE(write.output.find(
                  "Writing ZKT Program Data to Manual #3... ok\nZKT Configuration data written!Done."),
              std::string::npos)
        << write.output;
    EXPECT_EQ(write.output.find("Backup"), std::string::npos) << write.output;
}

// The write by default: a backup of what the chain held, updates only for the manual that
// changed, a read-back; the backup is listed and holds the chain's previous configuration.
TEST_F(ZktcliDevice, AWriteKeepsABackupWritesOnlyWhatChangedAndVerifies) {
    ConfigModel organ = exampleOrgan(3);
    organ.numberOfManuals = 3;
    writeConfigurationFile(path("chain.zkt"), organ);
    organ.pistons[static_cast<std::size_t>(pistonIndexOf(1, 10))].programNumber = 99;
    writeConfigurationFile(path("edited.zkt"), organ);

    const CliRun write = zktcli("write " + path("edited.zkt") + " --simulate-from " + path("chain.zkt"));
    ASSERT_EQ(write.exitCode, 0) << write.output;
    for (const char* line : {"Manual 1 is unchanged and will not be written.", "Manual 2 will be written",
                             "  Manual 2, piston 11: Program Change #21 on MIDI Channel 2 \u2192 Program "
                             "Change #99 on MIDI Channel 2",
                             "Writing ZKT Program Data to Manual #2",
                             "Verified: every manual in the chain matches the configuration."})
        EXPECT_NE(write.output.find(line), std::string::npos) << line << '\n' << write.output;
    for (const char* line :
         {"Writing ZKT Program Data to Manual #1", "Writing ZKT Program Data to Manual #3"})
        EXPECT_EQ(write.output.find(line), std::string::npos) << line << '\n' << write.output;

    const CliRun backups = zktcli("backups");
    ASSERT_EQ(backups.exitCode, 0);
    const auto at = backups.output.find("3 manuals  ");
    ASSERT_NE(at, std::string::npos) << backups.output;
    const std::string backupFile = backups.output.substr(at + 11, backups.output.find('\n', at) - at - 11);
    ConfigModel held;
    readConfigurationFile(backupFile, held);
    ConfigModel before;
    readConfigurationFile(path("chain.zkt"), before);
    EXPECT_EQ(held.pistons, before.pistons);
    EXPECT_EQ(held.keyboards, before.keyboards);

    // A chain that cannot be read: nothing is written without the backup.
    const CliRun unread = zktcli("write " + path("edited.zkt") + " --simulate 0 --timeout 5");
    EXPECT_EQ(unread.exitCode, 3) << unread.output;
    EXPECT_NE(unread.output.find("nothing was written"), std::string::npos) << unread.output;
}

TEST_F(ZktcliDevice, FiveManualsLoadAndWrite) {
    ASSERT_EQ(zktcli("load --simulate 5 -o " + path("five.zkt")).exitCode, 0);
    EXPECT_EQ(zktcli("write " + path("five.zkt") + " --simulate 5").exitCode, 0);
}

TEST_F(ZktcliDevice, RealTimeTakesTheChainsOwnTime) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(zktcli("load --simulate 1 --real-time -o " + path("one.zkt")).exitCode, 0);
    // The tag, the identity, a second's settling and the four responses on the wire.
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(ZktcliDevice, DetectShowsEachMcu) {
    const CliRun detect = zktcli("detect --simulate 2");
    EXPECT_EQ(detect.exitCode, 0);
    EXPECT_EQ(detect.output, "Number of manuals detected = 2\n"
                             "Manual 1: firmware 2.1, 4/17/2006, hardware type 18\n"
                             "Manual 2: firmware 2.1, 4/17/2006, hardware type 18\n");
}

TEST_F(ZktcliDevice, GivesUpAfterTheTimeoutNamingWhatItWaitedFor) {
    const CliRun load = zktcli("load --simulate 0 --timeout 5 -o " + path("none.zkt"));
    EXPECT_EQ(load.exitCode, 3);
    // The tag did come back, with a count no chain can have: the message must not blame cabling.
    EXPECT_NE(
        load.output.find("gave up after 5 s waiting for a valid count from the returned tag message (it "
                         "came back with the count 1"),
        std::string::npos)
        << load.output;
    EXPECT_FALSE(fs::exists(path("none.zkt")));

    const CliRun detect = zktcli("detect --simulate 0");
    EXPECT_EQ(detect.exitCode, 1);
    EXPECT_NE(detect.output.find("Invalid number of manuals detected!"), std::string::npos);
}

// A write of manuals 2 and 4 of five, cut by --timeout in each of its steps (virtual time, so the
// moments are exact): what was done is said, with the manual in hand, and the status tells a write
// that never reached the organ from one that did.
TEST_F(ZktcliDevice, AWriteCutShortSaysWhatItHadDone) {
    ConfigModel organ = exampleOrgan(5);
    organ.numberOfManuals = 5;
    writeConfigurationFile(path("chain.zkt"), organ);
    for (const int manual : {2, 4})
        organ.pistons[static_cast<std::size_t>(pistonIndexOf(manual - 1, 10))].programNumber = 99;
    writeConfigurationFile(path("edited.zkt"), organ);
    const struct {
        const char* timeout;
        int exitCode;
        const char* said;
    } cases[] = {
        {"4", 3, "zktcli: gave up after 4 s waiting for the identity reply of manual 5"},
        {"6", 8,
         "zktcli: gave up after 6 s writing, waiting for the identity reply of manual 4. Manual 2 may be "
         "incomplete (write it again); manual 4 was not written."},
        {"8", 8,
         "waiting for the pause after the last message, in which the MCU stores it. Manual 2 was "
         "written; manual 4 may be incomplete (write it again)."},
        {"9", 7,
         "zktcli: gave up after 9 s reading back what was written, waiting for the rest of the program "
         "data of manual 2 (192 of 256 bytes received). Manuals 2 and 4 were written. Their read-back "
         "did not end, so the write is not verified."},
    };
    for (const auto& c : cases) {
        const CliRun run = zktcli("write " + path("edited.zkt") + " --simulate-from " + path("chain.zkt") +
                                  " --timeout " + c.timeout);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.timeout << '\n' << run.output;
        EXPECT_NE(run.output.find(c.said), std::string::npos) << c.timeout << '\n' << run.output;
    }
}

// Boards holding velocity bytes the program shows otherwise: a one-piston change of manual 3 writes
// manual 3 alone and says, in words, what the others hold.
TEST_F(ZktcliDevice, AOnePistonWriteLeavesBoardsWithHiddenBytesAlone) {
    const ConfigModel organ = exampleOrgan(3);
    std::vector<Bytes> images;
    for (int manual = 1; manual <= 3; ++manual) {
        const ImageBuffer image = encodedManual(organ, manual);
        images.emplace_back(image.begin(), image.begin() + programImageSize);
    }
    images[0][192 + 2] = 0x00; // channel 3: a fixed velocity of 0
    images[1][192 + 4] = 0x80; // channel 5: sensing, stored value 0
    writeImagesFile(path("chain.zkt"), images);
    ConfigModel edited;
    readConfigurationFile(path("chain.zkt"), edited);
    edited.pistons[static_cast<std::size_t>(pistonIndexOf(2, 10))].programNumber = 99;
    writeConfigurationFile(path("edited.zkt"), edited);

    const CliRun write = zktcli("write -v " + path("edited.zkt") + " --simulate-from " + path("chain.zkt"));
    ASSERT_EQ(write.exitCode, 0) << write.output;
    for (const char* line : {"Manual 1 is unchanged and will not be written.",
                             "    Manual 1: the ZKT holds a fixed velocity of 0 on channel 3, shown as 127.",
                             "    Manual 2: channel 5 senses velocity with a stored value 0, shown as 127.",
                             "Manual 3 will be written (1 of 4 chunks): 1 setting changes:"})
        EXPECT_NE(write.output.find(line), std::string::npos) << line << '\n' << write.output;
    EXPECT_EQ(write.output.find("Program update, manual 1,"), std::string::npos) << write.output;
    EXPECT_EQ(write.output.find("Program update, manual 2,"), std::string::npos) << write.output;
    EXPECT_NE(write.output.find("Program update, manual 3,"), std::string::npos) << write.output;
}

// The file changes a Program Change piston on every manual of what the simulated chain holds,
// so a lost update leaves a difference that the read-back must find.
TEST_F(ZktcliDevice, VerifyCatchesALostUpdateAndNamesTheManualAndFields) {
    ASSERT_EQ(zktcli("load --simulate 3 -o " + path("chain.zkt")).exitCode, 0);
    ConfigModel organ;
    readConfigurationFile(path("chain.zkt"), organ);
    const ConfigModel chain = organ;
    // Piston 11 of each manual, 0-based 10.
    const auto changed = [](int manual) { return static_cast<std::size_t>(pistonIndexOf(manual - 1, 10)); };
    for (int manual = 1; manual <= 3; ++manual) {
        pistonInfo& piston = organ.pistons[changed(manual)];
        ASSERT_EQ(piston.functionGroup, static_cast<std::int16_t>(FunctionGroup::programChange));
        piston.programNumber = static_cast<std::int16_t>(40 + manual);
    }
    writeConfigurationFile(path("organ.zkt"), organ);
    // Each manual gets only the chunk that holds its change: the second update is manual 2's.
    const int lostUpdate = 2;

    const CliRun clean = zktcli("write " + path("organ.zkt") + " --simulate 3 --verify");
    EXPECT_EQ(clean.exitCode, 0) << clean.output;
    EXPECT_NE(clean.output.find("Verified: every manual in the chain matches the configuration."),
              std::string::npos)
        << clean.output;

    const CliRun lost = zktcli("write " + path("organ.zkt") +
                               " --simulate 3 --verify --simulate-lost-update " + std::to_string(lostUpdate));
    EXPECT_EQ(lost.exitCode, 4) << lost.output;
    EXPECT_NE(lost.output.find("ZKT Configuration data written!"), std::string::npos) << lost.output;
    EXPECT_NE(lost.output.find("verification failed"), std::string::npos) << lost.output;
    EXPECT_NE(lost.output.find("Manual 2: the chain differs from the file in 1 setting"), std::string::npos)
        << lost.output;
    EXPECT_NE(
        lost.output.find("Manual 2, piston 11: Program Change #42 on MIDI Channel 2 \u2192 Program Change #" +
                         std::to_string(chain.pistons[changed(2)].programNumber) + " on MIDI Channel 2"),
        std::string::npos)
        << lost.output;
    EXPECT_EQ(lost.output.find("Manual 1:"), std::string::npos) << lost.output;
    EXPECT_EQ(lost.output.find("Manual 3:"), std::string::npos) << lost.output;

    const CliRun same = zktcli("verify " + path("organ.zkt") + " --simulate-from " + path("organ.zkt"));
    EXPECT_EQ(same.exitCode, 0) << same.output;
    const CliRun different = zktcli("verify " + path("organ.zkt") + " --simulate 3");
    EXPECT_EQ(different.exitCode, 4) << different.output;
    for (const char* manual : {"Manual 1:", "Manual 2:", "Manual 3:"})
        EXPECT_NE(different.output.find(manual), std::string::npos) << manual << different.output;

    ConfigModel five = exampleOrgan(5);
    five.numberOfManuals = 5;
    writeConfigurationFile(path("five.zkt"), five);
    const CliRun shorter = zktcli("verify " + path("five.zkt") + " --simulate-from " + path("organ.zkt"));
    EXPECT_EQ(shorter.exitCode, 4) << shorter.output;
    EXPECT_NE(shorter.output.find("Manual 4: not in the chain (3 manuals detected)"), std::string::npos)
        << shorter.output;
}

TEST_F(ZktcliDevice, CheckLinkExitsFiveWithTheVerdictWhenTheLoopHasAProblem) {
    struct Case {
        const char* arguments;
        int exitCode;
        const char* saying;
    };
    for (const Case& c :
         {Case{"--simulate 4", 0, "The loop is fine: 4 MCUs counted"},
          // Every device command takes the same options.
          Case{"--simulate 2 --timeout 60 -v", 0, "The loop is fine: 2 MCUs counted"},
          Case{"--simulate 2 --timeout 0.5", 3, "gave up after 0.5 s"},
          Case{"--simulate 0", 5, "no MCU counts the tag"},
          Case{"--simulate 3 --simulate-drop-longer-than 200", 5, "Long messages are lost"}}) {
        const CliRun check = zktcli(std::string("check-link ") + c.arguments);
        EXPECT_EQ(check.exitCode, c.exitCode) << c.arguments << '\n' << check.output;
        EXPECT_NE(check.output.find(c.saying), std::string::npos) << check.output;
    }
}

TEST_F(ZktcliDevice, VerboseTransfersAndTheMonitorPrintTheTraffic) {
    const CliRun load = zktcli("load -v --simulate 2 -o " + path("two.zkt"));
    EXPECT_EQ(load.exitCode, 0) << load.output;
    for (const char* line : {"9 bytes  → Tag, count 1\n", "9 bytes  ← Tag, count 3 (2 MCUs)\n",
                             "14 bytes  → Program request, manual 2, 256 bytes at 0\n",
                             "86 bytes  ← Program response, manual 2, bytes 192–255\n"})
        EXPECT_NE(load.output.find(line), std::string::npos) << line << '\n' << load.output;
    // Progress lines stay whole between the traffic lines.
    EXPECT_NE(load.output.find("\nNumber of manuals detected = 2\n"), std::string::npos) << load.output;

    // Nothing talks to a simulated chain but zktcli itself.
    const CliRun quiet = zktcli("monitor --simulate 2 --seconds 3");
    EXPECT_EQ(quiet.exitCode, 0) << quiet.output;
    EXPECT_EQ(quiet.output, "");
    EXPECT_EQ(zktcli("monitor --simulate 2").exitCode, 2);
}

TEST_F(ZktcliDevice, WritingAMissingFileFailsBeforeTouchingTheChain) {
    const CliRun write = zktcli("write " + path("missing.zkt") + " --simulate 2");
    EXPECT_EQ(write.exitCode, 2);
    EXPECT_NE(write.output.find("missing.zkt"), std::string::npos) << write.output;
    EXPECT_EQ(write.output.find("Requesting"), std::string::npos);
}

} // namespace
} // namespace zkt
