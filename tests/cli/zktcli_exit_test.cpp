// zktcli as a user runs it: exit statuses, and errors on stderr rather than crashes.

#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/hex_text.h"
#include "model/program_image.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zkt {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

class Zktcli : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_folder.file(name); }

    // Arguments are file names from this test, without quotes or blanks.
    CliResult run(const std::string& arguments, const std::string& stdoutFile = {}) const {
        const std::string outFile = stdoutFile.empty() ? path("out.txt") : stdoutFile;
        const std::string command =
            std::string(ZKTCLI_PATH) + " " + arguments + " >" + outFile + " 2>" + path("err.txt");
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::readWholeFile(path("out.txt")),
                test::readWholeFile(path("err.txt"))};
    }

private:
    test::TempFolder m_folder;
};

TEST_F(Zktcli, DiffExitsZeroOneOrTwo) {
    writeConfigurationFile(path("a.zkt"), exampleOrgan(3));
    writeConfigurationFile(path("same.zkt"), exampleOrgan(3));
    writeConfigurationFile(path("fewer.zkt"), exampleOrgan(2));

    const CliResult equal = run("diff " + path("a.zkt") + " " + path("same.zkt"));
    EXPECT_EQ(equal.status, 0);
    EXPECT_EQ(equal.out, "");

    const CliResult different = run("diff " + path("a.zkt") + " " + path("fewer.zkt"));
    EXPECT_EQ(different.status, 1);
    EXPECT_THAT(different.out, HasSubstr("Manual 3: present \u2192 absent"));
    EXPECT_EQ(different.err, "");

    const CliResult missing = run("diff " + path("a.zkt") + " " + path("nothing.zkt"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_THAT(missing.err, HasSubstr("nothing.zkt"));
}

TEST_F(Zktcli, SpeaksTheLanguageAskedForWhileScriptsReadEnglish) {
    writeConfigurationFile(path("a.zkt"), exampleOrgan(1));
    const CliResult german = run("show " + path("a.zkt") + " --language de");
    EXPECT_EQ(german.status, 0);
    EXPECT_THAT(german.out, HasSubstr("Manuale: 1"));
    EXPECT_THAT(german.out, HasSubstr("Ahlborn-Generalkombination auf MIDI-Kanal 1"));
    const std::string english = run("export " + path("a.zkt")).out;
    EXPECT_EQ(run("--language fr export " + path("a.zkt")).out, english);
    const CliResult unknown = run("--language xx show " + path("a.zkt"));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_THAT(unknown.err, HasSubstr("xx is not one of en, de, fr, nl"));
}

TEST_F(Zktcli, HelpListsEveryExitStatus) {
    const CliResult help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* status :
         {"  0 ", "  1 ", "  2 ", "  3 ", "  4 ", "  5 ", "  6 ", "  9 ", "  10 ", "  130 "})
        EXPECT_THAT(help.out, HasSubstr(status));
}

TEST_F(Zktcli, DiffNamesPistonsByTheirWordsOrFieldsForScripts) {
    ConfigModel organ = exampleOrgan(2);
    writeConfigurationFile(path("a.zkt"), organ);
    pistonInfo& piston = organ.pistons[pistonIndexOf(1, 4)];
    piston = {.functionGroup = 7, .midiChannel = 1, .programNumber = 1};
    writeConfigurationFile(path("b.zkt"), organ);
    const CliResult words = run("diff " + path("a.zkt") + " " + path("b.zkt"));
    EXPECT_EQ(words.status, 1);
    EXPECT_EQ(words.out, "Manual 2, piston 5: Ahlborn General on MIDI Channel 2 (Memory B General #4) \u2192 "
                         "Program Change #1 on MIDI Channel 1\n");
    const CliResult fields = run("diff --fields " + path("a.zkt") + " " + path("b.zkt"));
    EXPECT_EQ(fields.status, 1);
    EXPECT_EQ(fields.out,
              "Manual 2, piston 5: functionGroup 4 -> 7\nManual 2, piston 5: functionType 9 -> 0\n"
              "Manual 2, piston 5: midiChannel 2 -> 1\nManual 2, piston 5: programNumber 9 -> 1\n");
}

// A file that may lack a manual is refused with what was left out; one with more than five
// manuals is read as ever, with a warning.
TEST_F(Zktcli, DamagedFilesAreSaidPlainlyAndRefusedWhereAManualMayBeMissing) {
    const std::string image = bytesToHex(encodedManual(exampleOrgan(1), 1)) + "\r\n";
    struct Case {
        const char* file;
        std::string contents;
        const char* warning;
        int status;
    };
    const Case cases[] = {
        {"cut.zkt", image + image.substr(0, 412),
         "Line 2 is cut short (412 of 780 characters): manual 2 was not read.\n", 2},
        {"empty.zkt", "", "The file holds no configuration: no line in it is a manual's image.\n", 2},
        {"junk.zkt", "organ of St Mary\r\n" + image,
         "Line 1 is not a manual's image (16 characters): it was skipped.\n", 2},
        {"six.zkt", image + image + image + image + image + image, "Only the first five manuals were read.\n",
         0},
    };
    for (const Case& c : cases) {
        std::ofstream(path(c.file), std::ios::binary) << c.contents;
        const std::string file = path(c.file);
        for (const std::string& command : {"show " + file, "export " + file, "diff " + file + " " + file,
                                           "write " + file + " --simulate 1 --no-backup --no-verify"}) {
            if (c.status == 0 && command.starts_with("write"))
                continue; // a write would go ahead
            const CliResult result = run(command);
            EXPECT_EQ(result.status, c.status) << command;
            EXPECT_THAT(result.err, HasSubstr("zktcli: " + file + ": " + c.warning)) << command;
            if (c.status != 0) {
                EXPECT_THAT(result.err, HasSubstr(file + ": damaged, so it was not used")) << command;
                EXPECT_EQ(result.out, "") << command;
            }
        }
    }
}

TEST_F(Zktcli, ErrorsGoToStderrWithExitTwoAndNoOutputFile) {
    std::ofstream(path("junk.zkt"), std::ios::binary) << std::string(800, 'z') << "\r\n";
    std::ofstream(path("junk.json"), std::ios::binary) << "{\"manuals\": [1]}";
    const std::string commands[] = {
        "show " + path("junk.zkt"),
        "export " + path("junk.zkt") + " -o " + path("out.json"),
        "import " + path("junk.json") + " -o " + path("out.zkt"),
        "export " + path("junk.zkt"),
        "import " + path("junk.json"), // -o is required
        "chart " + path("junk.zkt") + " -o " + path("out.pdf"),
        "chart " + path("missing.zkt") + " -o " + path("out.html"),
        "chart " + path("junk.json") + " -o " + path("out.pdf"),
        "chart " + path("junk.zkt") + " -o " + path("out.doc"),
        "chart " + path("junk.zkt") + " -o " + path("out.pdf") + " --paper A5",
    };
    for (const auto& command : commands) {
        const CliResult result = run(command);
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_FALSE(result.err.empty()) << command;
    }
    for (const char* output : {"out.json", "out.zkt", "out.pdf", "out.html", "out.doc"})
        EXPECT_FALSE(fs::exists(path(output))) << output;
}

TEST_F(Zktcli, CheckConsoleRefusesWhatCannotWorkBeforeTouchingMidi) {
    writeConfigurationFile(path("organ.zkt"), exampleOrgan(3));
    const std::string check = "check-console " + path("organ.zkt") + " --in nowhere ";
    const std::pair<std::string, std::string> cases[] = {
        {"check-console --in nowhere", "without FILE the chain is read first: give --out too"},
        {check + "--report " + path("r.txt"), "the report is written as HTML (.html) or PDF (.pdf)"},
        {check + "--report " + path("gone/r.html"), "does not exist"},
        {check + "--keys 61,61,32,30", "--keys gives 4 compasses for 3 manuals"},
        {check + "--keys 61,0", "--keys: 0 is not 1 to 128 keys"},
        {check + "--for 0", "--for must be more than 0 seconds"},
        {"check-console " + path("missing.zkt") + " --in nowhere", "missing.zkt"},
    };
    for (const auto& [command, error] : cases) {
        const CliResult result = run(command);
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_THAT(result.err, HasSubstr(error)) << command;
        EXPECT_EQ(result.out, "") << command;
    }
}

TEST_F(Zktcli, OutputThatCannotBeWrittenIsAnError) {
    writeConfigurationFile(path("organ.zkt"), exampleOrgan(1));
    for (const char* command : {"show ", "export "}) {
        const CliResult result = run(command + path("organ.zkt"), "/dev/full");
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_THAT(result.err, HasSubstr("could not write")) << command;
    }
}

TEST_F(Zktcli, ChartErrorsNameTheFileAndWhatIsWrong) {
#ifndef ZKT_WITH_CHART
    GTEST_SKIP() << "zktcli is built without the chart";
#endif
    writeConfigurationFile(path("organ.zkt"), exampleOrgan(1));
    EXPECT_THAT(run("chart " + path("organ.zkt") + " -o " + path("chart.txt")).err,
                HasSubstr(path("chart.txt") + ": a chart is written as PDF (.pdf) or HTML (.html)"));
    EXPECT_THAT(run("chart " + path("missing.zkt") + " -o " + path("chart.pdf")).err,
                HasSubstr("missing.zkt"));
    // Upper-case extensions are the same formats.
    EXPECT_EQ(run("chart " + path("organ.zkt") + " -o " + path("CHART.HTML")).status, 0);
    EXPECT_THAT(test::readWholeFile(path("CHART.HTML")), HasSubstr("<h1>Manual #1</h1>"));
}

TEST_F(Zktcli, ShowPrintsEveryManual) {
    writeConfigurationFile(path("organ.zkt"), exampleOrgan(3));
    const CliResult result = run("show " + path("organ.zkt"));
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("\nManual 3\n"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("Manual 4")));
}

} // namespace
} // namespace zkt
