#include "model/config_file.h"

#include "model/config_file_check.h"
#include "model/config_file_lines.h"
#include "model/example_organ.h"
#include "model/hex_text.h"
#include "model/program_image.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zkt {
namespace {

using test::readWholeFile;
using test::TempFolder;

std::string imageLine(const ConfigModel& model, int manual) {
    return bytesToHex(encodedManual(model, manual));
}

// What a caller has before a load: some other organ, already shown.
ConfigModel modelBeforeLoad() {
    ConfigModel model = exampleOrgan(2);
    model.hardwareType = 18;
    return model;
}

TEST(ConfigurationFile, ZktExtensionOnlyWhenThePathHasNoDotAtAll) {
    EXPECT_EQ(withZktExtension("/home/organ/great"), "/home/organ/great.zkt");
    EXPECT_EQ(withZktExtension("great.zkt"), "great.zkt");
    EXPECT_EQ(withZktExtension("great.txt"), "great.txt");
    EXPECT_EQ(withZktExtension("/home/my.organ/great"), "/home/my.organ/great");
    EXPECT_EQ(withZktExtension(""), ".zkt");
}

TEST(ConfigurationFile, SavedFileHasOneCrLfLinePerManualAndLoadsBack) {
    TempFolder folder;
    const ConfigModel organ = exampleOrgan(5);
    const std::string path = folder.file("organ.zkt");
    writeConfigurationFile(path, organ);

    const std::string text = readWholeFile(path);
    ASSERT_EQ(text.size(), 5 * (780 + 2));
    for (std::size_t line = 0; line < 5; ++line) {
        EXPECT_EQ(text.substr(line * 782 + 777, 5), "00 \r\n") << line;
    }
    ConfigModel loaded;
    EXPECT_EQ(readConfigurationFile(path, loaded), 5);
    EXPECT_EQ(loaded, organ);
}

// A damaged file still loads as it always has; the check says what was left out.
TEST(ConfigurationFile, LinesThatCountAndLinesThatAreSkipped) {
    const ConfigModel organ = exampleOrgan(5);
    const std::string l1 = imageLine(organ, 1), l2 = imageLine(organ, 2), l3 = imageLine(organ, 3);
    const std::string longest = std::string(699, 'z');
    const std::string fiveOf2 = [&] {
        std::string five;
        for (int i = 0; i < 5; ++i)
            five += l2 + "\r\n";
        return five;
    }();
    const std::string noImage = "The file holds no configuration: no line in it is a manual's image.";
    const std::string onlyFive = "Only the first five manuals were read.";
    struct Case {
        const char* name;
        std::string contents;
        int manuals;
        std::vector<int> sourceManuals; // which example manual each loaded manual shows
        std::vector<std::string> warnings;
        bool damaged = false;
    };
    const std::string noManual = "The file holds no configuration: no line in it is a manual's image.";
    const Case cases[] = {
        {"empty file", "", 0, {}, {noImage}, true},
        {"blank lines only", " \r\n\t\r\n\r\n", 0, {}, {noImage}, true},
        {"junk",
         "hello, organist\r\n",
         0,
         {},
         {"Line 1 is not a manual's image (15 characters): it was skipped.", noImage},
         true},
        {"empty first line", "\r\n" + l2 + "\r\n" + l3 + "\r\n", 2, {2, 3}, {}},
        {"LF line ends", l1 + "\n" + l2 + "\n", 2, {1, 2}, {}},
        {"CR line ends and no final line end", l1 + "\r" + l2, 2, {1, 2}, {}},
        {"a three-manual file cut mid-line",
         l1 + "\r\n" + l2.substr(0, 412),
         1,
         {1},
         {"Line 2 is cut short (412 of 780 characters): manual 2 was not read."},
         true},
        {"699 characters are skipped",
         longest + "\r\n" + l3 + "\r\n",
         1,
         {3},
         {"Line 1 is not a manual's image (699 characters): it was skipped."},
         true},
        {"six lines load five", fiveOf2 + l1 + "\r\n", 5, {2, 2, 2, 2, 2}, {onlyFive}},
        {"a sixth line is not decoded",
         fiveOf2 + std::string(1000, 'q') + "\r\n",
         5,
         {2, 2, 2, 2, 2},
         {onlyFive}},
        {"nor read beyond its first characters",
         fiveOf2 + std::string(maximumLineLength + 10, 'q'),
         5,
         {2, 2, 2, 2, 2},
         {onlyFive}},
        {"blanks after the fifth manual", fiveOf2 + "  \r\n\r\n", 5, {2, 2, 2, 2, 2}, {}},
        {"blanks around the hex", "   " + l1 + "   \r\n", 1, {1}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ConfigModel model = modelBeforeLoad();
        ConfigFileCheck check;
        ASSERT_EQ(readConfigurationFile(folder.write("c.zkt", c.contents), model, check), c.manuals);
        ConfigModel fromText = modelBeforeLoad();
        ConfigFileCheck textCheck;
        ASSERT_EQ(readConfigurationText(c.contents, "c.zkt", fromText, textCheck), c.manuals);
        EXPECT_EQ(fromText, model);
        EXPECT_EQ(textCheck.warnings, check.warnings);
        EXPECT_EQ(model.numberOfManuals, c.manuals);
        ConfigModel shown = model;
        shown.hardwareType = organ.hardwareType; // the load keeps the device's type
        for (std::size_t i = 0; i < c.sourceManuals.size(); ++i) {
            EXPECT_EQ(imageLine(shown, static_cast<int>(i) + 1), imageLine(organ, c.sourceManuals[i]));
        }
        EXPECT_EQ(check.warnings, c.warnings);
        EXPECT_EQ(check.damaged, c.damaged);
    }
}

// The browser page reads a file's lines itself; the window shows the same words.
TEST(ConfigurationFileCheck, ManyDamagedLinesAreCountedAndTheStatusSaysWhatWasLeftOut) {
    std::vector<std::string> lines(14, "0a 0b");
    lines.insert(lines.begin() + 1, std::string(780, '0'));
    const ConfigFileCheck check = checkConfigurationLines(lines);
    ASSERT_EQ(check.warnings.size(), 11u);
    EXPECT_EQ(check.warnings[0], "Line 1 is cut short (5 of 780 characters): manual 1 was not read.");
    EXPECT_EQ(check.warnings[1], "Line 3 is cut short (5 of 780 characters): manual 2 was not read.");
    EXPECT_EQ(check.warnings[10], "4 more lines are not manuals' images either; they were skipped.");

    EXPECT_EQ(openedFileStatus("organ.zkt", {}), "Successfully opened file organ.zkt");
    EXPECT_EQ(openedFileStatus("cut.zkt", checkConfigurationLines(std::vector<std::string>{"0a"})),
              "cut.zkt:\nLine 1 is cut short (2 of 780 characters): manual 1 was not read.\n"
              "The file holds no configuration: no line in it is a manual's image.");
    EXPECT_EQ(openedFileStatus("six.zkt", {{"Only the first five manuals were read."}, false, false}),
              "Opened file six.zkt\nOnly the first five manuals were read.");
}

TEST(ConfigurationFile, FailedLoadsNameFileAndLineAndLeaveTheModelAlone) {
    const ConfigModel organ = exampleOrgan(3);
    const std::string l1 = imageLine(organ, 1);
    std::string nonHex = imageLine(organ, 2);
    nonHex.replace(30, 2, "g7");
    std::string binary(2000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<char>(0x80 + (i * 37) % 0x7F);
    }
    std::string tenMegabytes;
    while (tenMegabytes.size() < 10'000'000) {
        tenMegabytes += "this is a letter, not an organ; ";
    }
    std::string proseLines;
    for (int i = 0; i < 20; ++i) {
        proseLines += std::string(800, 'x') + "\n";
    }
    struct Case {
        const char* name;
        std::string contents;
        int line;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"binary junk", binary, 1, "Not a hexadecimal byte"},
        {"10 MB without a line end", tenMegabytes, 1, "longer than"},
        {"long lines of prose", proseLines, 1, "Not a hexadecimal byte"},
        {"non-hex token after a good line", l1 + "\r\n" + nonHex + "\r\n", 2, "g7"},
        {"truncated line", l1 + "\r\n\r\n" + l1.substr(0, 720) + "\r\n", 3, "240 bytes"},
        {"700 characters are decoded", l1.substr(0, 700) + "\r\n", 1, "234 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.write("bad.zkt", c.contents);
        ConfigModel model = modelBeforeLoad();
        try {
            readConfigurationFile(path, model);
            ADD_FAILURE() << "loaded";
        } catch (const ConfigFileError& e) {
            EXPECT_EQ(e.path(), path);
            EXPECT_EQ(e.line(), c.line);
            EXPECT_NE(e.reason().find(c.reasonPart), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(path + ", line " + std::to_string(c.line) + ": ", 0), 0u)
                << e.what();
        }
        EXPECT_EQ(model, modelBeforeLoad());
    }

    TempFolder folder;
    for (const std::string& path : {folder.file("missing.zkt"), folder.path().string()}) {
        ConfigModel model = modelBeforeLoad();
        EXPECT_THROW(readConfigurationFile(path, model), ConfigFileError) << path;
        EXPECT_EQ(model, modelBeforeLoad());
    }
}

TEST(ConfigurationFile, LoadKeepsManualsAboveTheLoadedOnes) {
    TempFolder folder;
    const ConfigModel organ = exampleOrgan(1);
    ConfigModel model = modelBeforeLoad();
    readConfigurationFile(folder.write("one.zkt", imageLine(organ, 1) + "\r\n"), model);
    EXPECT_EQ(model.numberOfManuals, 1);
    EXPECT_EQ(model.keyboards[1], modelBeforeLoad().keyboards[1]);
    EXPECT_EQ(model.hardwareType, 18);
}

TEST(ConfigurationFile, SavingNoManualsWritesAnEmptyFile) {
    TempFolder folder;
    const std::string path = folder.write("old.zkt", "old contents");
    writeConfigurationFile(path, ConfigModel{});
    EXPECT_EQ(readWholeFile(path), "");
}

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_folder.file("organ.zkt");
        writeConfigurationFile(m_path, exampleOrgan(2));
        m_oldContents = readWholeFile(m_path);
    }

    // The old file is still there byte for byte and no temporary file is left behind.
    void expectOldFileIntact() const {
        EXPECT_EQ(readWholeFile(m_path), m_oldContents);
        EXPECT_EQ(m_folder.entryCount(), 1u);
    }

    void expectSaveFails(const ConfigModel& model, const std::string& reasonPart) const {
        try {
            writeConfigurationFile(m_path, model);
            ADD_FAILURE() << "saved";
        } catch (const ConfigFileError& e) {
            EXPECT_EQ(e.path(), m_path);
            EXPECT_NE(e.reason().find(reasonPart), std::string::npos) << e.what();
        }
        expectOldFileIntact();
    }

    TempFolder m_folder;
    std::string m_path;
    std::string m_oldContents;
};

TEST_F(FailedSave, ValueThatDoesNotFitItsByte) {
    ConfigModel model = exampleOrgan(3);
    model.pistons[pistonIndexOf(2, 4)].programNumber = 0;
    model.pistons[pistonIndexOf(2, 4)].functionGroup =
        static_cast<std::int16_t>(FunctionGroup::programChange);
    expectSaveFails(model, "Manual 3, piston 5 (Program Change): programNumber 0 does not fit in a byte");
}

TEST_F(FailedSave, ImpossibleManualCount) {
    ConfigModel model = exampleOrgan(3);
    model.numberOfManuals = 6;
    expectSaveFails(model, "numberOfManuals 6");
}

TEST_F(FailedSave, DiskFull) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "emscripten has no file size limit to fail a write with";
#endif
    // A file size limit makes the write itself fail, as a full disk does.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    try {
        writeConfigurationFile(m_path, exampleOrgan(4));
        ADD_FAILURE() << "saved";
    } catch (const ConfigFileError& e) {
        EXPECT_NE(e.reason().find("cannot write"), std::string::npos) << e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    expectOldFileIntact();
}

TEST_F(FailedSave, TargetIsAFolder) {
    const std::string folderTarget = m_folder.file("folder.zkt");
    std::filesystem::create_directory(folderTarget);
    EXPECT_THROW(writeConfigurationFile(folderTarget, exampleOrgan(1)), ConfigFileError);
    EXPECT_TRUE(std::filesystem::is_directory(folderTarget));
    EXPECT_EQ(m_folder.entryCount(), 2u);
}

TEST_F(FailedSave, ReadOnlyFolder) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    std::filesystem::permissions(m_folder.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    expectSaveFails(exampleOrgan(1), "cannot create a temporary file");
}

TEST(ConfigurationFile, SaveKeepsThePermissionsOfTheFileItReplaces) {
    TempFolder folder;
    const std::string path = folder.write("organ.zkt", "old");
    ::chmod(path.c_str(), 0640);
    writeConfigurationFile(path, exampleOrgan(1));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST(ConfigurationFile, SavingThroughALinkUpdatesTheLinkedFile) {
    TempFolder folder;
    const std::string target = folder.write("organ.zkt", "old");
    const std::string link = folder.file("link.zkt");
    std::filesystem::create_symlink(target, link);
    writeConfigurationFile(link, exampleOrgan(1));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readWholeFile(target), configurationText(exampleOrgan(1)));
    EXPECT_EQ(folder.entryCount(), 2u);
}

} // namespace
} // namespace zkt
