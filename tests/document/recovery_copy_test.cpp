// The copy of unsaved changes: its text read back as it was kept, copies the window kept before
// still read, what is no copy, and the file replaced, found and removed.

#include "document/recovery_copy_file.h"
#include "document/recovery_copy_text.h"
#include "model/config_file.h"
#include "model/config_file_error.h"
#include "model/program_image.h"
#include "support/organs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zkt {
namespace {

// 2023-11-14 22:13:20 UTC
const std::chrono::system_clock::time_point aMoment{std::chrono::seconds(1700000000)};

ConfigModel labelledOrgan() {
    ConfigModel organ = test::organOf(3);
    organ.names.manualNames[0] = "Grand orgue \xc3\xa9";
    organ.names.pistonLabels[4] = "Tutti \"fort\" & \\";
    return organ;
}

TEST(RecoveryCopyText, ReadsBackWhatWasKept) {
    const ConfigModel organ = labelledOrgan();
    struct Case {
        const char* path;
        const char* name;
    };
    for (const Case& c : {Case{"/home/organist/St Mary\xc3\xa9.zkt", "St Mary\xc3\xa9.zkt"},
                          Case{"", "Settings from the ZKT"}, Case{"C:\\organs\\a&b.zkt", "a&b.zkt"}}) {
        SCOPED_TRACE(c.name);
        const std::optional<RecoveredChanges> read =
            readRecoveryCopy(recoveryCopyText(organ, c.path, c.name, aMoment));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->documentPath, c.path);
        EXPECT_EQ(read->documentName, c.name);
        EXPECT_EQ(read->keptAt, "2023-11-14T22:13:20Z");
        EXPECT_EQ(read->configurationText, configurationText(organ));
    }
}

// Laid out as the window has always written it: four-space indents, the keys in this order,
// the text as it is with only JSON's escapes, and a line break at the end.
TEST(RecoveryCopyText, KeepsTheLayoutOfEarlierCopies) {
    const std::string text = recoveryCopyText(labelledOrgan(), "/o/a.zkt", "a.zkt", aMoment);
    EXPECT_EQ(text.rfind("{\n    \"configuration\": \"", 0), 0u) << text;
    EXPECT_NE(text.find("Grand orgue \xc3\xa9"), std::string::npos);
    EXPECT_NE(text.find("Tutti \\\"fort\\\" & \\\\"), std::string::npos);
    const std::string tail = "\",\n    \"documentName\": \"a.zkt\",\n    \"documentPath\": \"/o/a.zkt\",\n"
                             "    \"keptAt\": \"2023-11-14T22:13:20Z\"\n}\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(RecoveryCopyText, ReadsACopyKeptByAnEarlierVersion) {
    const std::string earlier = R"({
    "configuration": "[Organ]\nManuals=1\n\u00e9\u0001\n",
    "documentName": "Swell & Great.zkt",
    "documentPath": "/home/o/Swell & Great.zkt",
    "keptAt": "2024-02-29T23:59:59Z"
}
)";
    const std::optional<RecoveredChanges> read = readRecoveryCopy(earlier);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->configurationText, "[Organ]\nManuals=1\n\xc3\xa9\x01\n");
    EXPECT_EQ(read->documentName, "Swell & Great.zkt");
    EXPECT_EQ(read->documentPath, "/home/o/Swell & Great.zkt");
    EXPECT_EQ(read->keptAt, "2024-02-29T23:59:59Z");
}

TEST(RecoveryCopyText, WhatIsNoCopyReadsAsNone) {
    for (const char* text : {"", "not JSON", "[]", "\"configuration\"", "{}", R"({"configuration": 5})",
                             R"({"documentName": "a.zkt"})", R"({"configuration": "[Organ]\n")"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(readRecoveryCopy(text));
    }
    const std::optional<RecoveredChanges> bare = readRecoveryCopy(R"({"configuration": "x", "keptAt": 3})");
    ASSERT_TRUE(bare) << "what the copy does not say is left empty";
    EXPECT_EQ(bare->documentPath, "");
    EXPECT_EQ(bare->keptAt, "");
}

TEST(RecoveryCopyFile, IsReplacedFoundAndRemoved) {
    const test::TempFolder folder;
    const RecoveryCopyFile copy(folder.file("data/ZKTConfig/recovery"));
    EXPECT_EQ(copy.path(), folder.file("data/ZKTConfig/recovery/unsaved-changes.json"));
    EXPECT_FALSE(copy.find());
    copy.remove();

    copy.keep(test::organOf(2), "/o/old.zkt", "old.zkt", aMoment);
    const ConfigModel organ = labelledOrgan();
    copy.keep(organ, "/o/a.zkt", "a.zkt", aMoment + std::chrono::seconds(2));
    std::optional<RecoveredChanges> found = copy.find();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->documentName, "a.zkt");
    EXPECT_EQ(found->keptAt, "2023-11-14T22:13:22Z");
    EXPECT_EQ(found->configurationText, configurationText(organ));

    // A configuration no image can hold leaves the copy before it as it was.
    ConfigModel overflowing = organ;
    overflowing.keyboards[1].archiveChannel = 0;
    EXPECT_THROW(copy.keep(overflowing, "/o/a.zkt", "a.zkt", aMoment), EncodeOverflow);
    found = copy.find();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->configurationText, configurationText(organ));

    copy.remove();
    EXPECT_FALSE(copy.find());
    EXPECT_FALSE(std::filesystem::exists(copy.path()));
}

TEST(RecoveryCopyFile, AFolderThatCannotBeWrittenIsReportedAndNoFolderKeepsNothing) {
    const test::TempFolder folder;
    const std::string blocked = folder.write("recovery", "a file where the folder should be");
    const RecoveryCopyFile copy(blocked);
    try {
        copy.keep(test::organOf(1), "", "organ", aMoment);
        ADD_FAILURE() << "kept in a folder that is a file";
    } catch (const ConfigFileError& error) {
        EXPECT_NE(std::string(error.what()).find(copy.path()), std::string::npos) << error.what();
    }
    EXPECT_EQ(test::readWholeFile(blocked), "a file where the folder should be");

    const RecoveryCopyFile none("");
    none.keep(test::organOf(1), "", "organ", aMoment);
    EXPECT_FALSE(none.find());
    EXPECT_FALSE(std::filesystem::exists(none.path()));
    none.remove();
}

} // namespace
} // namespace zkt
