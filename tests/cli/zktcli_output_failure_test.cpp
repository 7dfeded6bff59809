// zktcli's output files (load -o, import -o, export -o, chart -o) when the save cannot be completed: the
// previous file stays as it was and the error says which file and why.

#include "model/config_file.h"
#include "model/example_organ.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace zkt {
namespace {

namespace fs = std::filesystem;

struct ShellRun {
    int exitCode = -1;
    std::string err;
};

class OutputFailure : public ::testing::Test {
protected:
    OutputFailure() {
        fs::permissions(m_folder.path(), fs::perms::owner_all | fs::perms::group_read |
                                             fs::perms::group_exec | fs::perms::others_read |
                                             fs::perms::others_exec);
        writeConfigurationFile(path("organ.zkt"), exampleOrgan(2));
        run("export " + path("organ.zkt") + " -o " + path("organ.json"));
    }
    std::string path(const std::string& name) const { return m_folder.file(name); }
    static std::string slurp(const std::string& file) { return test::readWholeFile(file); }

    // zktcli under sh, after `prelude` (ulimit, trap); as an unprivileged user when `unprivileged`
    // and the test runs as root, since folder permissions and device nodes do not stop root.
    ShellRun run(const std::string& arguments, const std::string& prelude = {},
                 bool unprivileged = false) const {
        const std::string user =
            unprivileged && ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
        const std::string errFile =
            (fs::temp_directory_path() / ("zkt_cli_output_err_" + std::to_string(::getpid()))).string();
        const std::string command = "sh -c '" + prelude + " exec " + user + ZKTCLI_PATH + " " + arguments +
                                    "' >/dev/null 2>" + errFile;
        const int raw = std::system(command.c_str());
        ShellRun result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(errFile)};
        fs::remove(errFile);
        return result;
    }

    std::size_t entries() const { return m_folder.entryCount(); }

private:
    test::TempFolder m_folder;
};

struct OutputCommand {
    const char* name;
    std::string arguments; // without the output file
    const char* extension = "";
};

TEST_F(OutputFailure, EachOutputKeepsThePreviousFileAndSaysWhy) {
    std::vector<OutputCommand> commands = {
        {"load", "load --simulate 3 -o "},
        {"import", "import " + path("organ.json") + " -o "},
        {"export", "export " + path("organ.zkt") + " -o "},
    };
#ifdef ZKT_WITH_CHART
    commands.push_back({"chart", "chart " + path("organ.zkt") + " -o ", ".pdf"});
#endif
    const struct {
        const char* name;
        std::string prelude;
        bool unprivileged;
        const char* reason; // empty: the process is stopped before it can say anything
    } failures[] = {
        {"read-only folder", "", true, "cannot create a temporary file beside it: Permission denied"},
        // A file size limit makes the write fail as a full disk does.
        {"disk full", "trap \"\" XFSZ; ulimit -f 1;", false, "cannot write: File too large"},
        // Killed by the same limit half-way through its write.
        {"interrupted", "ulimit -f 1;", false, ""},
    };
    const std::string previous = "previous contents\n";
    for (const auto& command : commands) {
        for (const auto& failure : failures) {
            const std::string target = path(std::string("old_") + command.name + command.extension);
            { std::ofstream(target, std::ios::binary) << previous; }
            const std::size_t before = entries();
            const ShellRun result = run(command.arguments + target, failure.prelude, failure.unprivileged);
            const std::string what = std::string(command.name) + ", " + failure.name + ": " + result.err;
            EXPECT_NE(result.exitCode, 0) << what;
            EXPECT_EQ(slurp(target), previous) << what;
            if (*failure.reason == '\0')
                continue;
            EXPECT_EQ(result.exitCode, 2) << what;
            EXPECT_NE(result.err.find(target + ": " + failure.reason), std::string::npos) << what;
            EXPECT_EQ(entries(), before) << what << " (a temporary file was left behind)";
        }
    }
}

// A device or a named pipe is written into, never replaced by a regular file; a full device is
// an error that says so. Run unprivileged, so that a regression cannot replace the machine's
// device nodes.
TEST_F(OutputFailure, DevicesAndPipesAreWrittenIntoAndAFullDeviceIsAnError) {
    for (const std::string& command :
         {"export " + path("organ.zkt") + " -o ", std::string("load --simulate 1 -o ")}) {
        const ShellRun full = run(command + "/dev/full", "", true);
        EXPECT_EQ(full.exitCode, 2) << full.err;
        EXPECT_NE(full.err.find("/dev/full: cannot write: No space left on device"), std::string::npos)
            << full.err;
        EXPECT_EQ(run(command + "/dev/null", "", true).exitCode, 0) << command;
        for (const char* device : {"/dev/full", "/dev/null"}) {
            struct stat status {};
            ASSERT_EQ(::stat(device, &status), 0);
            EXPECT_TRUE(S_ISCHR(status.st_mode)) << device;
        }
    }

    const std::string pipe = path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(run("export " + path("organ.zkt") + " -o " + pipe).exitCode, 0);
    std::string received;
    char buffer[4096];
    for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;)
        received.append(buffer, static_cast<std::size_t>(got));
    ::close(reader);
    EXPECT_EQ(received, slurp(path("organ.json")));
    EXPECT_TRUE(fs::is_fifo(pipe));
}

} // namespace
} // namespace zkt
