#include "settings/ini_file.h"
#include "settings_test_dir.h"

#include <gmock/gmock.h>

namespace zkt {
namespace {

using ::testing::ElementsAre;

// 1280 x 800 pixels at 96 dpi; the four-pixel margin is 60 twips.
constexpr ScreenMetrics screen{1280 * 15, 800 * 15, 15, 15};
constexpr long margin = 60;
constexpr long minWidth = 9000;
constexpr long minHeight = 6000;

class FormPositionTest : public test::SettingsTestDir {
protected:
    void SetUp() override {
        SettingsTestDir::SetUp();
        ini.Path(file("ZKTConfig.ini"));
        ini.Section("ZKTConfig");
        ini.Key("Caller's key");
        ini.Default("Caller's default");
    }

    void store(const std::string& text) { writeAll(ini.Path(), "[ZKTConfig]\n" + text); }

    FormGeometry load(FormGeometry current = {1000, 2000, 10000, 7000, false, false, screen}) {
        ini.LoadFormPosition(current, minWidth, minHeight);
        EXPECT_EQ(ini.Key(), "Caller's key");
        EXPECT_EQ(ini.Default(), "Caller's default");
        return current;
    }

    static std::vector<long> placement(const FormGeometry& g) { return {g.left, g.top, g.width, g.height}; }

    cInifile ini;
};

TEST_F(FormPositionTest, SaveWritesWhatTheShowStateAllows) {
    ini.SaveFormPosition({1500, 1200, 12000, 8000, false, false, screen});
    EXPECT_TRUE(ini.Success());
    EXPECT_EQ(ini.Key(), "Caller's key");
    EXPECT_EQ(readAll(ini.Path()),
              "[ZKTConfig]\nMaximised=0\nLeft=1500\nTop=1200\nWidth=12000\nHeight=8000\n");

    // Maximised keeps the normal placement from before, so it comes back when un-maximised.
    ini.SaveFormPosition({0, 0, 19200, 12000, false, true, screen});
    EXPECT_EQ(readAll(ini.Path()),
              "[ZKTConfig]\nMaximised=1\nLeft=1500\nTop=1200\nWidth=12000\nHeight=8000\n");
    const FormGeometry restored = load();
    EXPECT_THAT(placement(restored), ElementsAre(1500, 1200, 12000, 8000));
    EXPECT_TRUE(restored.maximised);

    const std::string before = readAll(ini.Path());
    ini.SaveFormPosition({-32000, -32000, 2000, 500, true, false, screen});
    EXPECT_EQ(readAll(ini.Path()), before);
    EXPECT_EQ(ini.Key(), "Caller's key");
}

TEST_F(FormPositionTest, SaveFailureIsReportedAndKeyRestored) {
    ini.Path((dir() / "missing folder" / "ZKTConfig.ini").string());
    ini.SaveFormPosition({1500, 1200, 12000, 8000, false, false, screen});
    EXPECT_FALSE(ini.Success());
    EXPECT_EQ(ini.Key(), "Caller's key");
}

TEST_F(FormPositionTest, LoadKeepsTheWindowOnTheScreen) {
    struct Case {
        const char* stored;
        std::vector<long> expected;
    };
    const Case cases[] = {
        {"Left=1500\nTop=1200\nWidth=12000\nHeight=8000\n", {1500, 1200, 12000, 8000}},
        {"Left=-5000\nTop=-1\nWidth=12000\nHeight=8000\n", {margin, margin, 12000, 8000}},
        // Too far right or down: moved back, size kept.
        {"Left=18000\nTop=11000\nWidth=12000\nHeight=8000\n",
         {19200 - margin - 12000, 12000 - margin - 8000, 12000, 8000}},
        // Bigger than the screen: placed at the margin and cut to end at the opposite margin.
        {"Left=300\nTop=300\nWidth=30000\nHeight=20000\n",
         {margin, margin, 19200 - 2 * margin, 12000 - 2 * margin}},
        // Smaller than the minimum: raised to it.
        {"Left=1500\nTop=1200\nWidth=100\nHeight=100\n", {1500, 1200, minWidth, minHeight}},
        // Missing or unreadable values keep the window's current ones.
        {"Width=abc\n", {1000, 2000, 10000, 7000}},
        {"Left=1499.5\nTop=1200.5\n", {1500, 1200, 10000, 7000}},
    };
    for (const auto& c : cases) {
        store(c.stored);
        const FormGeometry restored = load();
        EXPECT_THAT(placement(restored),
                    ElementsAre(c.expected[0], c.expected[1], c.expected[2], c.expected[3]))
            << c.stored;
        EXPECT_FALSE(restored.maximised) << c.stored;
    }
}

TEST_F(FormPositionTest, LoadLeavesTheWindowWhenTheScreenIsTooSmall) {
    store("Left=1500\nTop=1200\nWidth=12000\nHeight=8000\nMaximised=1\n");
    const ScreenMetrics tiny{640 * 15, 400 * 15, 15, 15};
    const FormGeometry restored = load({1000, 2000, 10000, 7000, false, false, tiny});
    EXPECT_THAT(placement(restored), ElementsAre(1000, 2000, 10000, 7000));
    EXPECT_TRUE(restored.maximised);

    // No file at all: nothing moves.
    std::filesystem::remove(ini.Path());
    EXPECT_THAT(placement(load()), ElementsAre(1000, 2000, 10000, 7000));
}

} // namespace
} // namespace zkt
