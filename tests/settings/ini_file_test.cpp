#include "settings/ini_file.h"
#include "settings_test_dir.h"

#include <gmock/gmock.h>

#include <limits>

namespace zkt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class IniFileTest : public test::SettingsTestDir {
protected:
    void SetUp() override {
        SettingsTestDir::SetUp();
        ini.Path(file("ZKTConfig.ini"));
    }

    void write(const std::string& section, const std::string& key, std::string_view value) {
        ini.Section(section);
        ini.Key(key);
        ini.Value(value);
    }
    std::string read(const std::string& section, const std::string& key) {
        ini.Section(section);
        ini.Key(key);
        return ini.Value();
    }

    cInifile ini;
};

TEST_F(IniFileTest, WritesCreateWhatIsMissingAndLookupsIgnoreCase) {
    ini.Default("none");
    EXPECT_EQ(read("MIDI I/O", "Input"), "none");
    EXPECT_FALSE(std::filesystem::exists(ini.Path()));
    EXPECT_EQ(ini.LastReturnCode(), 0);
    EXPECT_FALSE(ini.Success());

    write("MIDI I/O", "Input", "3");
    EXPECT_TRUE(ini.Success());
    write("midi i/o", "OUTPUT", "2");
    write("MIDI I/O", "output", "4");
    EXPECT_EQ(read("Midi I/O", "INPUT"), "3");
    EXPECT_EQ(read("MIDI I/O", "Output"), "4");
    EXPECT_EQ(readAll(ini.Path()), "[MIDI I/O]\nInput=3\nOUTPUT=4\n");

    // A read never turns a failed write into success.
    write("MIDI I/O", "Bad=Key", "1");
    ASSERT_FALSE(ini.Success());
    read("MIDI I/O", "Input");
    EXPECT_FALSE(ini.Success());
}

TEST_F(IniFileTest, ValueTextIsStoredAsTheFileCanHoldIt) {
    write("Preferences", "Path", std::string_view("a\0b", 3));
    EXPECT_TRUE(ini.Success());
    EXPECT_EQ(read("Preferences", "Path"), "ab");

    const std::string longValue(300, 'x');
    write("Preferences", "Path", longValue);
    EXPECT_EQ(read("Preferences", "Path"), longValue.substr(0, 254));

    ini.Default(std::string(300, 'd'));
    EXPECT_EQ(read("Preferences", "Missing").size(), 254U);
}

TEST_F(IniFileTest, EmptyTextAndDeletesRemoveOnlyWhatTheyName) {
    write("ZKTConfig", "Left", "100");
    write("ZKTConfig", "Top", "200");
    write("Preferences", "Path", "/home");

    write("ZKTConfig", "Left", "");
    EXPECT_TRUE(ini.Success());
    EXPECT_THAT(ini.EnumerateCurrentSection(), ElementsAre("Top"));

    ini.Key("Top");
    ini.DeleteKey();
    EXPECT_TRUE(ini.Success());
    EXPECT_THAT(ini.EnumerateCurrentSection(), IsEmpty());

    write("ZKTConfig", "Width", "300");
    ini.DeleteSection();
    EXPECT_TRUE(ini.Success());
    EXPECT_THAT(ini.EnumerateAllSections(), ElementsAre("Preferences"));
    EXPECT_EQ(read("Preferences", "Path"), "/home");
}

TEST_F(IniFileTest, RefusedWritesLeaveTheFileAlone) {
    write("Preferences", "Path", "/home");
    const std::string before = readAll(ini.Path());

    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"Preferences", "", "x"},          // a forgotten key must not wipe the section
        {"", "Path", "x"},                 //
        {"Preferences", "Path", "a\nb=c"}, // would smuggle in a second key
        {"Preferences", "Pa=th", "x"},     //
        {"Prefer]ences", "Path", "x"},     //
        {"Preferences", ";Path", "x"},     // would read back as a comment
        {"Pref\r\nerences", "Path", "x"},  //
        {"Preferences", "Pa\nth", "x"},    //
    };
    for (const auto& c : cases) {
        write(c.section, c.key, c.value);
        EXPECT_FALSE(ini.Success()) << c.section << '/' << c.key << '=' << c.value;
    }
    ini.Section("Preferences");
    ini.Key("");
    ini.DeleteKey();
    EXPECT_FALSE(ini.Success());
    EXPECT_EQ(readAll(ini.Path()), before);
}

TEST_F(IniFileTest, UnwritableOrUnreadableFilesFailWithoutDamage) {
    ini.Path((dir() / "no such folder" / "ZKTConfig.ini").string());
    write("Preferences", "Path", "/home");
    EXPECT_FALSE(ini.Success());

    // A path that is a folder: nothing is read, and it is not replaced by a file.
    ini.Path(dir().string());
    ini.Default("none");
    EXPECT_EQ(read("Preferences", "Path"), "none");
    write("Preferences", "Path", "/home");
    EXPECT_FALSE(ini.Success());
    EXPECT_TRUE(std::filesystem::is_directory(dir()));

    ini.Path(file("ZKTConfig.ini"));
    write("Preferences", "Path", "/home");
    EXPECT_TRUE(ini.Success());
    EXPECT_FALSE(std::filesystem::exists(ini.Path() + ".tmp"));

    // Deleting from a file that does not exist succeeds without creating it.
    ini.Path(file("other.ini"));
    ini.DeleteSection();
    EXPECT_TRUE(ini.Success());
    EXPECT_FALSE(std::filesystem::exists(ini.Path()));
}

TEST_F(IniFileTest, EnumerationFollowsFileOrder) {
    EXPECT_THAT(ini.EnumerateAllSections(), IsEmpty());
    ini.Section("Zeta");
    EXPECT_THAT(ini.EnumerateCurrentSection(), IsEmpty());

    writeAll(ini.Path(), "; kept\r\n[Zeta]\r\nb=2\r\na=1\r\n\r\n[MIDI I/O]\r\nInput=3\r\n[Alpha]\r\n");
    EXPECT_THAT(ini.EnumerateAllSections(), ElementsAre("Zeta", "MIDI I/O", "Alpha"));
    EXPECT_EQ(ini.Sections(), std::string("Zeta\0MIDI I/O\0Alpha\0", 20));
    EXPECT_THAT(ini.EnumerateCurrentSection(), ElementsAre("b", "a"));
    EXPECT_EQ(ini.INISection(), std::string("b\0a\0", 4));

    // Rewriting keeps the order, appends new names at the end and keeps the comment.
    write("Zeta", "c", "3");
    write("Zeta", "B", "20");
    write("Beta", "x", "1");
    EXPECT_THAT(ini.EnumerateAllSections(), ElementsAre("Zeta", "MIDI I/O", "Alpha", "Beta"));
    ini.Section("Zeta");
    EXPECT_THAT(ini.EnumerateCurrentSection(), ElementsAre("b", "a", "c"));
    EXPECT_EQ(read("Zeta", "b"), "20");
    EXPECT_EQ(readAll(ini.Path()).rfind("; kept", 0), 0U);
}

TEST_F(IniFileTest, NameListsCutAtTheBufferDropTheCutName) {
    // 8192-character buffer: names of 99 characters plus terminators overflow after 81 whole names.
    for (int i = 0; i < 100; ++i) {
        const std::string number = std::to_string(100 + i);
        writeAll(ini.Path(), readAll(ini.Path()) + "[" + std::string(96, 's') + number + "]\nk=1\n");
    }
    const auto sections = ini.EnumerateAllSections();
    ASSERT_EQ(sections.size(), 81U);
    EXPECT_EQ(sections.back(), std::string(96, 's') + "180");
}

TEST(IniNumbers, CLngDefaultRoundsHalvesToEvenAndFallsBack) {
    constexpr std::int32_t fallback = -77;
    struct Case {
        std::string_view text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"1200", 1200},
        {" 12 ", 12},
        {"+7", 7},
        {"-15", -15},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"2.51", 3},
        {"-2.5", -2},
        {"-3.5", -4},
        {"1e3", 1000},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483647.5", fallback},
        {"2147483648", fallback},
        {"-2147483649", fallback},
        {"1e400", fallback},
        {"FAIL", fallback},
        {"", fallback},
        {"   ", fallback},
        {"12abc", fallback},
        {"+-1", fallback},
        {"+", fallback},
        {"0x10", fallback},
        {"inf", fallback},
        {"nan", fallback},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cInifile::CLngDefault(c.text, fallback), c.expected) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace zkt
