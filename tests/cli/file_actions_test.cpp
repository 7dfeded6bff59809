#include "cli/file_actions.h"

#include "cli/show_report.h"
#include "model/config_file.h"
#include "model/config_json.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zkt::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class FileActions : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_folder.file(name); }

    static std::string contents(const std::string& file) { return test::readWholeFile(file); }
    static void write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

private:
    test::TempFolder m_folder;
};

TEST_F(FileActions, ImportingAnExportGivesTheSavedBytes) {
    for (int manuals = 1; manuals <= maxManuals; ++manuals) {
        const std::string saved = path("organ.zkt");
        writeConfigurationFile(saved, exampleOrgan(manuals));
        std::ostringstream ignored;
        exportConfiguration(saved, path("organ.json"), ignored, ignored);
        importConfiguration(path("organ.json"), path("again.zkt"));
        EXPECT_EQ(contents(path("again.zkt")), contents(saved)) << manuals << " manuals";
    }
}

TEST_F(FileActions, ExportWithoutOutputWritesJsonWithDescriptions) {
    writeConfigurationFile(path("organ.zkt"), exampleOrgan(2));
    std::ostringstream out;
    exportConfiguration(path("organ.zkt"), std::nullopt, out, out);
    const auto document = nlohmann::json::parse(out.str());
    EXPECT_EQ(document["numberOfManuals"], 2);
    EXPECT_TRUE(document["manuals"][1]["pistons"][0]["description"].is_string());
    EXPECT_FALSE(fs::exists(path("organ.json")));
}

// The model that decoding gives, not the one that was saved: the velocity bytes 00 and 80
// come back as 7F and FF.
TEST_F(FileActions, ExportShowsTheDecodedModel) {
    ConfigModel model = exampleOrgan(1);
    model.channelVelocity[channelSlotOf(0, 1)] = 0x00;
    model.channelVelocity[channelSlotOf(0, 2)] = 0x80;
    writeConfigurationFile(path("organ.zkt"), model);
    std::ostringstream out;
    exportConfiguration(path("organ.zkt"), std::nullopt, out, out);
    const auto channels = nlohmann::json::parse(out.str())["manuals"][0]["channels"];
    EXPECT_EQ(channels[0]["channelVelocity"], 0x7F);
    EXPECT_EQ(channels[1]["channelVelocity"], 0xFF);
}

// One manual whose second piston is given.
std::string withSecondPiston(const std::string& piston) {
    std::string pistons = "{}, " + piston;
    for (int k = 2; k < pistonsPerManual; ++k)
        pistons += ", {}";
    return R"({"manuals": [{"keyboard": {"archiveChannel": 1}, "pistons": [)" + pistons + "]}]}";
}

TEST_F(FileActions, RefusedImportLeavesTheOutputAsItWas) {
    struct Case {
        std::string json;
        const char* expected;
    };
    const Case cases[] = {
        // What the image cannot carry as the file says it.
        {withSecondPiston(R"({"functionGroup": 9, "midiChannel": 6, "bankSelMSB": 3})"),
         "Manual 1, piston 2: bankSelMSBFlag, bankSelLSBFlag and bankSelProgramFlag are all false"},
        {withSecondPiston(
             R"({"functionGroup": 9, "midiChannel": 6, "programNumber": 4, "bankSelProgramFlag": true})"),
         "Manual 1, piston 2: bankSelMSBFlag and bankSelLSBFlag are false"},
        {withSecondPiston(R"({"functionGroup": 8, "midiChannel": 6, "functionType": 5, "programNumber": 7})"),
         "Manual 1, piston 2: programNumber 7 is not the functionType 5"},
        {R"({"manuals": [{"keyboard": {"archiveChannel": 1},
            "channels": [{}, {}, {"channelVelocity": 0}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}]}]})",
         "Manual 1, channel 3: channelVelocity 0 (a fixed velocity of 0) would be read back as 127"},
        // archiveChannel missing: the start-up 0 does not fit the archive byte
        {R"({"manuals": [{"keyboard": {"archiveInput": 1}}]})", "archiveChannel"},
        {R"({"manuals": [{"keyboard": {"archiveChannel": 1},
            "pistons": [{}, {"functionGroup": 8, "midiChannel": 1, "functionType": 300}, {}, {}, {},
            {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}]}]})",
         "piston 2 (PLEXO Function): functionType"},
        {R"({"manuals": [{"keyboard": {"archiveChannel": 1},
            "channels": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {"channelVelocity": true}, {}, {}]}]})",
         "channel 14: channelVelocity"},
        {"{\"manuals\": ", "not valid JSON"},
    };
    const std::string output = path("kept.zkt");
    write(output, "previous contents\r\n");
    for (const Case& c : cases) {
        write(path("bad.json"), c.json);
        try {
            importConfiguration(path("bad.json"), output);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const std::exception& e) {
            EXPECT_THAT(e.what(), HasSubstr(path("bad.json")));
            EXPECT_THAT(e.what(), HasSubstr(c.expected));
        }
        EXPECT_EQ(contents(output), "previous contents\r\n");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(path("")), fs::directory_iterator()), 2)
        << "stray temporary file";
}

TEST_F(FileActions, ImportRefusesAConfigurationFileAsInput) {
    writeConfigurationFile(path("organ.zkt"), exampleOrgan(1));
    EXPECT_THROW(importConfiguration(path("organ.zkt"), path("out.zkt")), std::runtime_error);
    EXPECT_FALSE(fs::exists(path("out.zkt")));
}

TEST_F(FileActions, CompareReadsBothFormsAndListsDifferencesInWordsOrFields) {
    writeConfigurationFile(path("a.zkt"), exampleOrgan(2));
    std::ostringstream out;
    exportConfiguration(path("a.zkt"), path("a.json"), out, out);
    EXPECT_TRUE(compareConfigurations(path("a.zkt"), path("a.json"), DiffForm::words, out, out));
    EXPECT_EQ(out.str(), "");

    ConfigModel changed = exampleOrgan(2);
    changed.channelTranspose[channelSlotOf(1, 2)] = 24;
    writeConfigurationFile(path("b.zkt"), changed);
    EXPECT_FALSE(compareConfigurations(path("a.json"), path("b.zkt"), DiffForm::words, out, out));
    EXPECT_EQ(out.str(), "Manual 2, channel 2: key offset 0 \u2192 -12\n");
    out.str("");
    EXPECT_FALSE(compareConfigurations(path("a.json"), path("b.zkt"), DiffForm::fields, out, out));
    EXPECT_EQ(out.str(), "Manual 2, channel 2: channelTranspose 36 -> 24\n");
}

ConfigModel reportModel() {
    ConfigModel model;
    model.numberOfManuals = 1;
    model.keyboards[0] = {4, 2, 129, 0b101};
    model.channelTranspose[channelSlotOf(0, 1)] = 48;
    model.channelVelocity[channelSlotOf(0, 1)] = 100;
    model.shoes[channelSlotOf(0, 1)] = {1, false, true};
    model.channelTranspose[channelSlotOf(0, 3)] = 30;
    model.shoes[channelSlotOf(0, 3)] = {2, true, false};
    model.pistons[pistonIndexOf(0, 0)] = {1, 2, 3, 2, false, false, false, 0, 0};
    model.pistons[pistonIndexOf(0, 1)] = {14, 18, 10, 18, false, false, false, 0, 0};
    model.pistons[pistonIndexOf(0, 2)] = {9, 0, 2, 1, true, true, true, 5, 0};
    model.pistons[pistonIndexOf(0, 3)] = {14, 60, 1, 60, false, false, false, 0, 0};
    return model;
}

TEST(ShowReport, ShowsChannelsOptionsArchiveAndPistonsAsTheEditorsDo) {
    std::ostringstream out;
    writeShowReport(reportModel(), out);
    const std::string report = out.str();
    // channel, signed key offset, velocity, analog input, controller
    EXPECT_THAT(report, HasSubstr("     1         +12       100  Input 2       Expression (11)\n"));
    EXPECT_THAT(report, HasSubstr("     3          -6   sensing  Disabled      -\n"));
    EXPECT_THAT(report, HasSubstr("Expression (11)\n     3 ")) << "disabled channel 2 listed";
    EXPECT_THAT(report, HasSubstr("on   Enable/Disable Indicator Lights\n"));
    EXPECT_THAT(report, HasSubstr("off  Enable Set MIDI Channels via (P1+C#1)\n"));
    EXPECT_THAT(report, HasSubstr("on   Enable Tranposition (Setting Middle C) via (P1+key)\n"));
    EXPECT_THAT(report, HasSubstr("Ahlborn Archive Crescendo: Input 3 on MIDI channel 4\n"));
    EXPECT_THAT(report, HasSubstr(" 1  Ahlborn Coupler on MIDI Channel 3"));
    EXPECT_THAT(report, HasSubstr("B to A coupler\n"));
    EXPECT_THAT(report, HasSubstr("CASE 12 - Cancel, NUM A - Div#11\n"));
    EXPECT_THAT(report, HasSubstr("MSB 5, LSB 0, program 1\n"));
    EXPECT_THAT(report, HasSubstr("CASE outside the list\n"));
    EXPECT_THAT(report, HasSubstr("20  Unassigned\n"));
}

} // namespace
} // namespace zkt::cli
