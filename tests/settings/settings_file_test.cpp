#include "settings/settings_file.h"
#include "settings_test_dir.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>

namespace zkt {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The window SettingsFile::loadPlacement is given; a twips key reads as "" while it stays.
constexpr FormGeometry windowAsItIs{1000, 2000, 10000, 7000, false, false, {19200, 12000, 15, 15}};

long FormGeometry::*placementField(std::string_view key) {
    const std::map<std::string_view, long FormGeometry::*> fields = {
        {placementkey::left, &FormGeometry::left},
        {placementkey::top, &FormGeometry::top},
        {placementkey::width, &FormGeometry::width},
        {placementkey::height, &FormGeometry::height}};
    return fields.at(key);
}

const SettingKey& placementRow(std::string_view key) {
    return *std::find_if(settingsTable.begin(), settingsTable.end(), [&](const SettingKey& row) {
        return row.section == settingsection::mainWindow && row.key == key;
    });
}

// Any key read through its type and written back as the file would hold it, lists joined by "|".
std::string readAsText(SettingsFile& file, const SettingKey& row) {
    switch (row.type) {
    case SettingType::flag:
    case SettingType::logSwitch:
        return file.read(Setting<bool>{row}) ? "1" : "0";
    case SettingType::portNumber:
        return std::to_string(file.read(Setting<std::int16_t>{row}));
    case SettingType::text:
        return file.read(Setting<std::string>{row});
    case SettingType::textList: {
        std::string joined;
        for (const std::string& text : file.read(Setting<std::vector<std::string>>{row}))
            joined += (joined.empty() ? "" : "|") + text;
        return joined;
    }
    case SettingType::twips: {
        FormGeometry placement = windowAsItIs;
        file.loadPlacement(row.section, placement, 0, 0);
        const long value = placement.*placementField(row.key);
        return value == windowAsItIs.*placementField(row.key) ? "" : std::to_string(value);
    }
    }
    return "?";
}

class SettingsFileTest : public test::SettingsTestDir {
protected:
    SettingsFile settingsIn(const std::string& text) {
        writeAll(file("ZKTConfig.ini"), text);
        return SettingsFile(file("ZKTConfig.ini"), log);
    }

    ProgramLog log{file("ZKTConfig.log")};
};

TEST_F(SettingsFileTest, EveryKeyReadsAsItsDefaultFromAMissingEmptyOrDamagedFile) {
    // As the file has always named them, and what each has always read as when missing.
    const std::map<std::pair<std::string_view, std::string_view>, std::string> defaults = {
        {{"Bellhaven", "Log"}, "0"},
        {{"MIDI I/O", "Input"}, "0"},
        {{"MIDI I/O", "Output"}, "0"},
        {{"MIDI I/O", "InputName"}, ""},
        {{"MIDI I/O", "OutputName"}, ""},
        {{"Preferences", "Path"}, ""},
        {{"Preferences", "WriteBackup"}, "1"},
        {{"Preferences", "WriteOnlyChanged"}, "1"},
        {{"Preferences", "WriteVerify"}, "1"},
        {{"Preferences", "WriteVerifyAll"}, "0"},
        {{"Preferences", "Language"}, ""},
        {{"Recent Files", "File"}, ""},
        {{"ZKTConfig", "PistonOverview"}, "1"},
        {{"ZKTConfig", "Maximised"}, "0"},
        {{"ZKTConfig", "Left"}, ""},
        {{"ZKTConfig", "Top"}, ""},
        {{"ZKTConfig", "Width"}, ""},
        {{"ZKTConfig", "Height"}, ""},
    };
    ASSERT_EQ(settingsTable.size(), defaults.size());
    const std::string damaged("\xff\xfe[\0\x01MIDI I/O\nInput\0=3\n=\n[[]]\n\x80", 30);
    for (const std::string& contents : {std::string("(none)"), std::string(), damaged}) {
        SettingsFile settings = settingsIn(contents);
        if (contents == "(none)")
            std::filesystem::remove(settings.path());
        for (const SettingKey& row : settingsTable) {
            const auto expected = defaults.find({row.section, row.key});
            ASSERT_NE(expected, defaults.end()) << row.section << '/' << row.key;
            EXPECT_EQ(readAsText(settings, row), expected->second) << row.section << '/' << row.key;
        }
        EXPECT_EQ(settings.stored(setting::lastFolder), std::nullopt);
    }
}

TEST_F(SettingsFileTest, TypedValuesComeBackAndTheFileReadsAsItAlwaysHas) {
    SettingsFile settings = settingsIn("");
    const std::vector<std::string> recent = {"/organs/b.zkt", std::string(300, 'x'), "/organs/\nc.zkt",
                                             "/organs/a.zkt"};
    EXPECT_TRUE(settings.write(setting::midiInput, std::int16_t{3}));
    EXPECT_TRUE(settings.write(setting::midiOutput, std::int16_t{-32768}));
    EXPECT_TRUE(settings.write(setting::midiInputName, "Organ In 1"));
    EXPECT_TRUE(settings.write(setting::writeBackup, false));
    EXPECT_TRUE(settings.write(setting::writeVerifyAll, true));
    EXPECT_TRUE(settings.write(setting::lastFolder, "/srv/organs/"));
    EXPECT_TRUE(settings.write(setting::recentFiles, recent));

    EXPECT_EQ(settings.read(setting::midiInput), 3);
    EXPECT_EQ(settings.read(setting::midiOutput), -32768);
    EXPECT_EQ(settings.read(setting::midiInputName), "Organ In 1");
    EXPECT_FALSE(settings.read(setting::writeBackup));
    EXPECT_TRUE(settings.read(setting::writeVerifyAll));
    EXPECT_EQ(settings.stored(setting::lastFolder), "/srv/organs/");
    // What the file could not give back as it is stays out, and nothing is left as a gap.
    EXPECT_THAT(settings.read(setting::recentFiles),
                ::testing::ElementsAre("/organs/b.zkt", "/organs/a.zkt"));
    EXPECT_EQ(readAll(settings.path()),
              "[MIDI I/O]\nInput=3\nOutput=-32768\nInputName=Organ In 1\n\n\n"
              "[Preferences]\nWriteBackup=0\nWriteVerifyAll=1\nPath=/srv/organs/\n\n\n"
              "[Recent Files]\nFile1=/organs/b.zkt\nFile2=/organs/a.zkt\n");

    // A shorter list removes the keys it no longer fills; an empty text removes its key.
    EXPECT_TRUE(settings.write(setting::recentFiles, {"/organs/a.zkt"}));
    EXPECT_TRUE(settings.write(setting::midiInputName, ""));
    EXPECT_THAT(readAll(settings.path()), HasSubstr("[Recent Files]\nFile1=/organs/a.zkt\n"));
    EXPECT_THAT(readAll(settings.path()), Not(HasSubstr("File2")));
    EXPECT_THAT(readAll(settings.path()), Not(HasSubstr("InputName")));
}

TEST_F(SettingsFileTest, StoredTextsReadAsTheirTypeAllowsAndOtherwiseAsTheDefault) {
    struct Case {
        const char* stored;
        const SettingKey& row;
        const char* expected;
    };
    const Case cases[] = {
        // Not of the key's type: the default.
        {"[Bellhaven]\nLog=yes\n", setting::log, "0"},
        {"[Bellhaven]\nLog=1.0\n", setting::log, "0"},
        {"[MIDI I/O]\nInput=abc\n", setting::midiInput, "0"},
        {"[MIDI I/O]\nInput=+-2\n", setting::midiInput, "0"},
        {"[MIDI I/O]\nInput=1e400\n", setting::midiInput, "0"},
        {"[Preferences]\nWriteBackup=yes\n", setting::writeBackup, "1"},
        {"[Preferences]\nWriteVerifyAll=on\n", setting::writeVerifyAll, "0"},
        {"[ZKTConfig]\nPistonOverview=\n", setting::pistonOverview, "1"},
        {"[ZKTConfig]\nMaximised=yes\n", placementRow(placementkey::maximised), "0"},
        {"[ZKTConfig]\nLeft=abc\n", placementRow(placementkey::left), ""},
        // A port number is the leading number, rounded halves to even, within 16 bits.
        {"[MIDI I/O]\nInput=12abc\n", setting::midiInput, "12"},
        {"[MIDI I/O]\nInput=2.5\n", setting::midiInput, "2"},
        {"[MIDI I/O]\nInput=-3.5\n", setting::midiInput, "-4"},
        {"[MIDI I/O]\nInput=+7\n", setting::midiInput, "7"},
        {"[MIDI I/O]\nInput=1e3\n", setting::midiInput, "1000"},
        {"[MIDI I/O]\nInput=99999999\n", setting::midiInput, "32767"},
        // A flag is any number but 0; the log switch only "1".
        {"[Preferences]\nWriteVerifyAll=2\n", setting::writeVerifyAll, "1"},
        {"[Preferences]\nWriteBackup=0.4\n", setting::writeBackup, "0"},
        {"[Bellhaven]\nLog=2\n", setting::log, "0"},
        // Start-up's keys are found by their exact names; the later keys in any case.
        {"[midi i/o]\nInput=3\n", setting::midiInput, "0"},
        {"[MIDI I/O]\ninput=3\n", setting::midiInput, "0"},
        {"[bellhaven]\nLog=1\n", setting::log, "0"},
        {"[Preferences]\npath=/srv\n", setting::lastFolder, ""},
        {"[preferences]\nwritebackup=0\n", setting::writeBackup, "0"},
        {"[recent files]\nfile1=/organs/a.zkt\n", setting::recentFiles, "/organs/a.zkt"},
        {"[Other]\nLog=1\n[Bellhaven]\nLog=1\n", setting::log, "1"},
    };
    for (const Case& c : cases) {
        SettingsFile settings = settingsIn(c.stored);
        EXPECT_EQ(readAsText(settings, c.row), c.expected) << c.stored;
    }
}

TEST_F(SettingsFileTest, AFailedWriteIsLoggedAndALostChoiceSaidOnce) {
    log.setEnabled(true);
    const std::string unwritable = (dir() / "missing folder" / "ZKTConfig.ini").string();
    SettingsFile settings(unwritable, log);

    EXPECT_FALSE(settings.write(setting::midiInput, std::int16_t{3}));
    EXPECT_FALSE(settings.write(setting::midiOutput, std::int16_t{4}));
    EXPECT_FALSE(settings.write(setting::lastFolder, "/srv/organs/"));
    EXPECT_FALSE(settings.write(setting::recentFiles, {"/organs/a.zkt"}));
    EXPECT_FALSE(settings.savePlacement(settingsection::mainWindow, windowAsItIs));
    const std::string logged = readAll(log.path());
    for (const char* what : {"Input in [MIDI I/O]", "Output in [MIDI I/O]", "Path in [Preferences]",
                             "File1 in [Recent Files]", "placement in [ZKTConfig]"})
        EXPECT_THAT(logged, HasSubstr(std::string(what) + " could not be written to " + unwritable)) << what;

    // Only what the user chose is said, each choice once, however often it fails.
    const auto said = settings.takeLostChoicesMessage();
    ASSERT_TRUE(said.has_value());
    EXPECT_EQ(
        *said,
        "The MIDI ports chosen and the recent configurations could not be saved in the settings file " +
            unwritable +
            ", so the next start will not know them. Make sure the file and its folder can be written.");
    EXPECT_EQ(settings.takeLostChoicesMessage(), std::nullopt);
    EXPECT_FALSE(settings.write(setting::midiInput, std::int16_t{3}));
    EXPECT_EQ(settings.takeLostChoicesMessage(), std::nullopt);
    // What the file gives back already is not lost, though the failed write is still logged.
    EXPECT_TRUE(settings.write(setting::writeBackup, true));
    EXPECT_THAT(readAll(log.path()), HasSubstr("WriteBackup in [Preferences] could not be written"));
    EXPECT_EQ(settings.takeLostChoicesMessage(), std::nullopt);
    EXPECT_FALSE(settings.write(setting::writeVerify, false));
    EXPECT_THAT(settings.takeLostChoicesMessage(),
                ::testing::Optional(HasSubstr("The write options could not")));
    EXPECT_EQ(settings.takeLostChoicesMessage(), std::nullopt);

    // A minimised window stores nothing, so nothing failed.
    FormGeometry minimised = windowAsItIs;
    minimised.minimised = true;
    EXPECT_TRUE(settings.savePlacement(settingsection::mainWindow, minimised));
}

} // namespace
} // namespace zkt
