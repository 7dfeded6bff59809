#include "cli/device_choice.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zkt::cli {
namespace {

const std::vector<std::string> names{"Midi Through Port-0", "ZKT simulator (3 manuals)",
                                     "USB MIDI Interface"};

TEST(ChooseDevice, TakesANumberOrAUniquePartOfTheName) {
    const struct {
        const char* choice;
        int index;
    } cases[] = {{"0", 0}, {"2", 2}, {"simulator", 1}, {"usb midi", 2}, {"THROUGH", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(chooseDevice(names, c.choice, "input"), c.index) << c.choice;
}

TEST(ChooseDevice, RefusesWhatIsNotOneDeviceAndSaysWhy) {
    const struct {
        std::vector<std::string> names;
        const char* choice;
        const char* reason;
    } cases[] = {{names, "3", "there is no MIDI output device 3"},
                 {names, "-1", "there is no MIDI output device -1"},
                 {names, "midi", "\"midi\" matches several MIDI output devices"},
                 {names, "piano", "no MIDI output device name contains \"piano\""},
                 {names, "", "several MIDI output devices; choose one with --out"},
                 {{}, "", "no MIDI output device found"}};
    for (const auto& c : cases) {
        try {
            chooseDevice(c.names, c.choice, "output");
            ADD_FAILURE() << "accepted " << c.choice;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

TEST(ChooseDevice, TheOnlyDeviceNeedsNoChoice) {
    EXPECT_EQ(chooseDevice({"only"}, "", "input"), 0);
}

} // namespace
} // namespace zkt::cli
