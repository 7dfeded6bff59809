#include "model/config_file.h"

#include "model/config_file_warnings.h"
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
    model.currentManual = 3;
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
    EXPECT_EQ(loaded.currentManual, 6);
    loaded.currentManual = organ.currentManual;
    EXPECT_EQ(loaded, organ);
}

TEST(ConfigurationFile, LinesThatCountAndLinesThatAreSkipped) {
    const ConfigModel organ = exampleOrgan(5);
    const std::string l1 = imageLine(organ, 1), l2 = imageLine(organ, 2), l3 = imageLine(organ, 3);
    const std::string longest = std::string(699, 'z');
    struct Case {
        const char* name;
        std::string contents;
        int manuals;
        std::vector<int> sourceManuals; // which example manual each loaded manual shows
        std::vector<std::string> warnings = {};
    };
    const std::string noManual = "No manual was read: the file holds no configuration line.";
    const Case cases[] = {
        {"empty file", "", 0, {}, {noManual}},
        {"empty first line", "\r\n" + l2 + "\r\n" + l3 + "\r\n", 2, {2, 3}},
        {"LF line ends", l1 + "\n" + l2 + "\n", 2, {1, 2}},
        {"CR line ends and no final line end", l1 + "\r" + l2, 2, {1, 2}},
        {"699 characters are skipped", longest + "\r\n" + l3 + "\r\n", 1, {3}},
        {"a cut-short image is skipped and named",
         l1 + "\r\n" + l2.substr(0, 412) + "\r\n" + l3 + "\r\n",
         2,
         {1, 3},
         {"Line 2 is cut short (412 of 780 characters): manual 2 was not read."}},
        {"notes only", "organ of St. Mary\r\n\r\n", 0, {}, {noManual}},
        {"six lines load five",
         l1 + "\r\n" + l1 + "\r\n" + l1 + "\r\n" + l1 + "\r\n" + l1 + "\r\n" + "junk\r\n",
         5,
         {1, 1, 1, 1, 1}},
        {"six images load five", [&] {
             std::string six;
             for (int i = 0; i < 6; ++i) {
                 six += l2 + "\r\n";
             }
             return six;
         }(),
         5, {2, 2, 2, 2, 2}, {"Only the first five manuals were read."}},
        {"a sixth line is not even read",
         [&] {
             std::string five;
             for (int i = 0; i < 5; ++i) {
                 five += l2 + "\r\n";
             }
             return five + std::string(1000, 'q') + "\r\n";
         }(),
         5,
         {2, 2, 2, 2, 2}},
        {"blanks around the hex", "   " + l1 + "   \r\n", 1, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ConfigModel model = modelBeforeLoad();
        ASSERT_EQ(readConfigurationFile(folder.write("c.zkt", c.contents), model), c.manuals);
        ConfigModel fromText = modelBeforeLoad();
        ASSERT_EQ(readConfigurationText(c.contents, "c.zkt", fromText), c.manuals);
        EXPECT_EQ(fromText, model);
        EXPECT_EQ(configurationFileWarnings(c.contents), c.warnings);
        EXPECT_EQ(model.numberOfManuals, c.manuals);
        EXPECT_EQ(model.currentManual, c.manuals + 1);
        ConfigModel shown = model;
        shown.hardwareType = organ.hardwareType; // the load keeps the device's type
        for (std::size_t i = 0; i < c.sourceManuals.size(); ++i) {
            EXPECT_EQ(imageLine(shown, static_cast<int>(i) + 1), imageLine(organ, c.sourceManuals[i]));
        }
    }
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
