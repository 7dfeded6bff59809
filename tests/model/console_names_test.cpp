// The console's names and labels: through a .zkt file and back whatever is typed into them,
// unseen by every reader that knows only the images, and carried by copy and paste.

#include "model/config_clipboard.h"
#include "model/config_file.h"
#include "model/config_file_check.h"
#include "model/console_name_lines.h"
#include "model/console_names.h"
#include "model/example_organ.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

namespace zkt {
namespace {

using test::readWholeFile;
using test::TempFolder;

// A reader that knows only the images, as every version before names did: lines of 700
// characters or more count, at most five of them.
std::vector<std::string> imageLinesOf(const std::string& text) {
    std::vector<std::string> images;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line) && images.size() < maxManuals;) {
        if (line.size() >= minimumImageLineLength)
            images.push_back(line);
    }
    return images;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string repeated(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

ConfigModel namedOrgan(int manuals, const std::string& text) {
    ConfigModel organ = exampleOrgan(manuals);
    for (int m = 0; m < manuals; ++m) {
        organ.names.manualNames[static_cast<std::size_t>(m)] = text;
        organ.names.pistonLabels[static_cast<std::size_t>(pistonIndexOf(m, 4))] = "General 5";
        organ.names.pistonLabels[static_cast<std::size_t>(pistonIndexOf(m, 19))] = text;
    }
    return organ;
}

TEST(ConsoleNames, WhateverIsTypedGoesThroughAFileAndBackUnseenByImageReaders) {
    const std::string texts[] = {
        "Great",
        "Grand Orgue \u2013 R\u00e9cit",
        "100% Tutti",
        "%41 stays %41",
        "Sw\nGt",
        "Sw\r\nGt\t\x7f",
        "  padded on both sides  ",
        repeated("\U0001D11E", static_cast<int>(longestConsoleName)), // four bytes each
        repeated("\n", static_cast<int>(longestConsoleName)),         // every byte escaped
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        ASSERT_EQ(consoleNameProblem(text, "name"), "");
        const ConfigModel organ = namedOrgan(maxManuals, text);
        ConfigModel plain = organ;
        plain.names = {};
        TempFolder folder;
        writeConfigurationFile(folder.file("named.zkt"), organ);
        const std::string named = readWholeFile(folder.file("named.zkt"));

        // The images first, exactly as without names; then one short line per name.
        ASSERT_EQ(named.substr(0, configurationText(plain).size()), configurationText(plain));
        const std::vector<std::string> lines = linesOf(named);
        ASSERT_EQ(lines.size(), 5u + 5u * 3u);
        for (std::size_t i = 5; i < lines.size(); ++i) {
            EXPECT_LT(lines[i].size(), minimumImageLineLength);
            EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos);
        }
        EXPECT_EQ(imageLinesOf(named), imageLinesOf(configurationText(plain)));

        ConfigModel loaded;
        ConfigFileCheck check;
        EXPECT_EQ(readConfigurationFile(folder.file("named.zkt"), loaded, check), maxManuals);
        EXPECT_TRUE(check.warnings.empty()) << check.warnings.front();
        EXPECT_FALSE(check.damaged);
        EXPECT_EQ(loaded, organ);
    }
}

TEST(ConsoleNames, AConfigurationWithoutNamesIsWrittenByteForByteAsBefore) {
    TempFolder folder;
    const std::string example = ZKT_SOURCE_DIR "/examples/three-manuals.zkt";
    ConfigModel organ;
    readConfigurationFile(example, organ);
    writeConfigurationFile(folder.file("again.zkt"), organ);
    EXPECT_EQ(readWholeFile(folder.file("again.zkt")), readWholeFile(example));
    EXPECT_EQ(linesOf(configurationText(exampleOrgan(2))).size(), 2u);
}

TEST(ConsoleNames, ACompassOtherThanSixtyOneKeysHasALineOfItsOwn) {
    ConfigModel organ = namedOrgan(3, "Swell");
    organ.names.compass = {56, defaultCompass, 32, 30, 58};
    const std::string text = configurationText(organ);
    const std::vector<std::string> lines = linesOf(text);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#zkt-compass 1 56"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#zkt-compass 3 32"), 1);
    EXPECT_EQ(lines.size(), 3u + 3u * 3u + 2u) << "none for manual 2, none for manuals the file lacks";
    EXPECT_EQ(imageLinesOf(text), imageLinesOf(configurationText(exampleOrgan(3))));

    ConfigModel loaded;
    ConfigFileCheck check;
    ASSERT_EQ(readConfigurationText(text, "compass.zkt", loaded, check), 3);
    EXPECT_TRUE(check.warnings.empty());
    const std::array<int, maxManuals> expected{56, defaultCompass, 32, defaultCompass, defaultCompass};
    EXPECT_EQ(loaded.names.compass, expected);
    // A file without compass lines gives every manual the default, whatever was shown before.
    readConfigurationText(configurationText(exampleOrgan(3)), "plain.zkt", loaded, check);
    EXPECT_EQ(loaded.names.compass, ConsoleNames{}.compass);
}

TEST(ConsoleNames, OpeningAFileShowsItsNamesAndNoOthers) {
    TempFolder folder;
    ConfigModel shown = namedOrgan(3, "Swell");
    writeConfigurationFile(folder.file("plain.zkt"), exampleOrgan(2));
    readConfigurationFile(folder.file("plain.zkt"), shown);
    EXPECT_EQ(shown.names, ConsoleNames{});
}

TEST(ConsoleNames, LinesThatCannotBeReadAreSkippedAndSaid) {
    struct Case {
        std::string line;
        std::string warning; // after "Line 3 "
    };
    const std::string unreadable = "is a name or label that cannot be read (";
    const Case cases[] = {
        {"#zkt-name 6 Solo",
         unreadable + "no manual number 1 to 5 and a blank after the mark): it was skipped."},
        {"#zkt-name 02 Solo",
         unreadable + "no manual number 1 to 5 and a blank after the mark): it was skipped."},
        {"#zkt-name 2", unreadable + "no manual number 1 to 5 and a blank after the mark): it was skipped."},
        {"#zkt-label 1 21 Tutti",
         unreadable + "no piston number 1 to 20 and a blank after the manual): it was skipped."},
        {"#zkt-label 1 5 50%", unreadable + "a \"%\" without two hex digits after it): it was skipped."},
        {"#zkt-label 1 5 %C3", unreadable + "the text is not UTF-8 text): it was skipped."},
        {"#zkt-label 1 5 " + std::string(41, 'x'),
         unreadable + "the text has 41 characters, at most 40): it was skipped."},
        {"#zkt-name 3 Choir", "names manual 3, which the file does not hold: it was skipped."},
        {"#zkt-compass 1 0",
         "is a compass that cannot be read (no number of keys after the manual): it was skipped."},
        {"#zkt-compass 1 129",
         "is a compass that cannot be read (the compass is not 1 to 128 keys): it was skipped."},
        {"#zkt-compass 1 30 keys",
         "is a compass that cannot be read (no number of keys after the manual): it was skipped."},
        {"#zkt-compass 6 30",
         "is a compass that cannot be read (no manual number 1 to 5 and a blank after the mark): it was "
         "skipped."},
        {"#zkt-compass 3 32", "names manual 3, which the file does not hold: it was skipped."},
    };
    const ConfigModel organ = exampleOrgan(2);
    const std::string images = configurationText(organ);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ConfigModel loaded;
        ConfigFileCheck check;
        ASSERT_EQ(
            readConfigurationText(images + c.line + "\r\n#zkt-label 2 1 Kept\r\n", "n.zkt", loaded, check),
            2);
        EXPECT_EQ(check.warnings, std::vector<std::string>{"Line 3 " + c.warning});
        EXPECT_FALSE(check.damaged) << "no manual is missing";
        ConfigModel expected = organ;
        expected.names.pistonLabels[pistonIndexOf(1, 0)] = "Kept";
        EXPECT_EQ(loaded, expected);
    }
    // Only the mark makes a line one of these; anything else short is still no image.
    EXPECT_TRUE(
        checkConfigurationLines(std::vector<std::string>{"#zkt-nam 1 X", std::string(780, '0')}).damaged);
    EXPECT_EQ(consoleNameProblem("\xC0\xAF", "label"), "label is not UTF-8 text") << "an overlong form";
    EXPECT_EQ(consoleNameProblem("\xED\xA0\x80", "label"), "label is not UTF-8 text") << "a surrogate";
}

TEST(ConsoleNames, FiveManualsFollowedByTheirNamesLoadAllFive) {
    const std::string text = configurationText(namedOrgan(maxManuals, "Bombarde"));
    ConfigModel loaded;
    ConfigFileCheck check;
    EXPECT_EQ(readConfigurationText(text + "\r\n", "five.zkt", loaded, check), maxManuals);
    EXPECT_TRUE(check.warnings.empty());
    EXPECT_EQ(loaded.names.manualNames[4], "Bombarde");

    // A sixth image after the names is still left out, and said.
    readConfigurationText(text + configurationText(exampleOrgan(1)), "six.zkt", loaded, check);
    EXPECT_EQ(check.warnings, std::vector<std::string>{"Only the first five manuals were read."});
}

TEST(ConsoleNames, CopyAndPasteCarryThemWithTheirPistonOrManual) {
    ConfigModel model = namedOrgan(3, "Great");
    model.names.manualNames[1] = "Swell";
    model.names.pistonLabels[pistonIndexOf(1, 2)] = "Sw to Gt";
    const ConfigModel original = model;
    ConfigClipboard clipboard;

    clipboard.copyPiston(model, pistonIndexOf(1, 2));
    clipboard.pastePiston(model, pistonIndexOf(2, 7));
    EXPECT_EQ(model.names.pistonLabels[pistonIndexOf(2, 7)], "Sw to Gt");

    clipboard.copyManualSettings(model, 1);
    clipboard.pasteManualSettings(model, 2);
    EXPECT_EQ(model.names.manualNames[2], "Great") << "settings are not the manual";

    clipboard.copyManual(original, 1);
    clipboard.pasteManual(model, 2);
    EXPECT_EQ(model.names.manualNames[2], "Swell");
    for (int k = 0; k < pistonsPerManual; ++k) {
        EXPECT_EQ(model.names.pistonLabels[pistonIndexOf(2, k)],
                  original.names.pistonLabels[pistonIndexOf(1, k)])
            << k;
    }
}

TEST(ConsoleNames, TypedTextLosesTheBlanksAroundItAndWhatIsBeyondFortyCharacters) {
    const std::string forty = repeated("\u00e9", 39) + "\U0001F3B5";
    const std::pair<std::string, std::string> cases[] = {
        {"  General 5\t\n", "General 5"},
        {" Sw  to Gt ", "Sw  to Gt"},
        {" \r\n ", ""},
        {forty, forty},
        {forty + "x", forty},
        {" " + repeated("a", 41), repeated("a", 39)},
        {repeated("a", 39) + "  b", repeated("a", 39)},
        {"\u00a0\u3000Sw\u2009to\u2009Gt\u2028", "Sw\u2009to\u2009Gt"},
        {"\x80\x80\x80\x80\x80\x80 x", "\x80\x80\x80\x80\x80\x80 x"}, // not UTF-8: refused later, intact
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(typedConsoleName(typed), kept) << typed;
}

TEST(ConsoleNames, TitlesAndReportLinesShowATypedLineBreakAsASpace) {
    ConfigModel model = exampleOrgan(2);
    model.names.manualNames[1] = "Swell\nBox";
    model.names.pistonLabels[pistonIndexOf(1, 4)] = "Gen\t5\r\x7f\u2028";
    EXPECT_EQ(manualTitle(model.names, 2), "Manual #2 \u2014 Swell Box");
    EXPECT_EQ(manualWithName(model.names, 2), "Manual 2 (Swell Box)");
    EXPECT_EQ(pistonWithLabel(model.names, pistonIndexOf(1, 4)), "piston 5 (Gen 5   )");
    EXPECT_EQ(manualTitle(model.names, 1), "Manual #1");
    EXPECT_EQ(model.names.manualNames[1], "Swell\nBox") << "the stored name keeps what was typed";
}

} // namespace
} // namespace zkt
