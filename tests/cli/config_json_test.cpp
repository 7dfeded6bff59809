#include "model/config_json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace zkt {
namespace {

using nlohmann::json;
using ::testing::AllOf;
using ::testing::HasSubstr;

// Two manuals touching every field with values away from the defaults.
ConfigModel variedModel() {
    ConfigModel model;
    model.numberOfManuals = 2;
    for (int m = 0; m < 2; ++m) {
        model.keyboards[m] = {static_cast<std::uint8_t>(3 + m), 2, 0xA5, 0x8001};
        for (int c = 1; c <= channelsPerManual; ++c) {
            const int slot = channelSlotOf(m, c);
            model.channelTranspose[slot] = static_cast<std::uint8_t>(c * 7);
            model.channelVelocity[slot] = static_cast<std::uint8_t>(c * 15 + m);
            model.shoes[slot] = {static_cast<std::uint8_t>(c % 3), c % 2 == 0, c % 3 == 1};
        }
    }
    model.pistons[pistonIndexOf(0, 0)] = {5, 0, 1, 0, false, false, false, 0, 0};
    model.pistons[pistonIndexOf(0, 3)] = {9, 12, 3, 12, true, true, true, 100, 7};
    model.pistons[pistonIndexOf(1, 19)] = {14, 22, 0, 22, false, false, false, 0, 0};
    model.pistons[pistonIndexOf(1, 4)] = {12, 0, 10, 61, false, false, false, 0, 0};
    return model;
}

TEST(ConfigJson, RoundTripsEveryFieldThroughText) {
    const ConfigModel model = variedModel();
    const std::string text = configurationToJson(model).dump();
    EXPECT_EQ(configurationFromJsonText(text), model);
}

TEST(ConfigJson, NamesAndLabelsLeadTheirObjectsOnlyWhereThereAreSome) {
    ConfigModel model = variedModel();
    EXPECT_EQ(configurationToJson(model).dump().find("\"name\""), std::string::npos);
    EXPECT_EQ(configurationToJson(model).dump().find("\"label\""), std::string::npos);
    model.names.manualNames[1] = "Swell \u2013 R\u00e9cit";
    model.names.pistonLabels[pistonIndexOf(0, 3)] = "100% \"Tutti\"\n";
    EXPECT_EQ(configurationToJson(model).dump().find("\"compass\""), std::string::npos) << "61 keys";
    model.names.compass[0] = 32;
    const auto document = configurationToJson(model);
    EXPECT_EQ(document["manuals"][0].begin().key(), "compass");
    EXPECT_EQ(document["manuals"][0]["compass"], 32);
    EXPECT_EQ(document["manuals"][1].begin().key(), "name");
    EXPECT_EQ(document["manuals"][0]["pistons"][3].begin().key(), "label");
    EXPECT_EQ(configurationFromJsonText(document.dump()), model);
}

TEST(ConfigJson, WritesFlagsAsBooleansAndNumbersAsIntegers) {
    const auto document = configurationToJson(variedModel());
    const json& piston = document["manuals"][0]["pistons"][3];
    EXPECT_TRUE(piston["bankSelMSBFlag"].is_boolean());
    EXPECT_TRUE(piston["bankSelMSB"].is_number_integer());
    EXPECT_TRUE(document["manuals"][0]["channels"][0]["shoe"]["volumeControl"].is_boolean());
    EXPECT_EQ(document["manuals"][0]["keyboard"]["channels"], 0x8001);
    EXPECT_EQ(document["numberOfManuals"], 2);
}

TEST(ConfigJson, MissingKeysKeepTheStartUpValues) {
    const ConfigModel model = configurationFromJsonText(
        R"({"manuals": [{"keyboard": {"archiveChannel": 1},
                         "pistons": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
                                     {}, {"functionGroup": 11, "midiChannel": 2}]}]})");
    ConfigModel expected;
    expected.numberOfManuals = 1;
    expected.keyboards[0].archiveChannel = 1;
    expected.pistons[pistonIndexOf(0, 19)].functionGroup = 11;
    expected.pistons[pistonIndexOf(0, 19)].midiChannel = 2;
    EXPECT_EQ(model, expected);
}

// Values an image produces, or that the encoder ignores, must be accepted.
TEST(ConfigJson, AcceptsEveryValueAnImageCanCarry) {
    const char* pistons[] = {
        R"({"functionGroup": 14, "midiChannel": 0, "functionType": 255})",
        R"({"functionGroup": 0, "functionType": -1, "midiChannel": 99})",
        R"({"functionGroup": 13, "midiChannel": 16, "programNumber": 0, "bankSelProgramFlag": true})",
        R"({"functionGroup": 9, "midiChannel": 1, "bankSelLSBFlag": true, "bankSelLSB": 127})",
        // Values of rows left unchecked are not written.
        R"({"functionGroup": 9, "midiChannel": 1, "bankSelMSBFlag": true, "bankSelLSB": 200, "programNumber": 0})",
        R"({"functionGroup": 8, "midiChannel": 1, "functionType": -36, "programNumber": -36})",
        R"({"functionGroup": 10, "midiChannel": 1, "programNumber": 127, "description": "anything"})",
    };
    for (const char* piston : pistons) {
        json document = {{"manuals", {{{"keyboard", {{"archiveChannel", 1}}}, {"pistons", json::array()}}}}};
        for (int k = 0; k < pistonsPerManual; ++k)
            document["manuals"][0]["pistons"].push_back(json::parse(piston));
        EXPECT_NO_THROW(configurationFromJson(document)) << piston;
    }
}

struct Rejection {
    const char* name;
    const char* pointer; // where the bad value goes, as a JSON pointer into a valid document
    json value;
    std::vector<std::string> expectedInMessage;
};

void PrintTo(const Rejection& rejection, std::ostream* out) {
    *out << rejection.name;
}

json validDocument() {
    return configurationToJson(variedModel());
}

class ConfigJsonRejects : public ::testing::TestWithParam<Rejection> {};

TEST_P(ConfigJsonRejects, NamingWhereAndWhat) {
    const Rejection& rejection = GetParam();
    json document = validDocument();
    document[json::json_pointer(rejection.pointer)] = rejection.value;
    try {
        configurationFromJson(document);
        FAIL() << "accepted " << rejection.pointer << " = " << rejection.value.dump();
    } catch (const ConfigJsonError& e) {
        for (const auto& part : rejection.expectedInMessage)
            EXPECT_THAT(e.what(), HasSubstr(part));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigJsonRejects,
    ::testing::Values(
        Rejection{"UnknownTopKey", "/numberOfManual", 2, {"unknown key \"numberOfManual\""}},
        Rejection{
            "NameNotAString", "/manuals/1/name", 5, {"Manual 2: name must be a string, got an integer"}},
        Rejection{
            "CompassTooLarge", "/manuals/1/compass", 200, {"Manual 2: compass 200 is not 1 to 128 keys"}},
        Rejection{"CompassNotANumber", "/manuals/0/compass", "32", {"Manual 1: compass must be an integer"}},
        Rejection{"LabelTooLong",
                  "/manuals/0/pistons/3/label",
                  std::string(41, 'x'),
                  {"Manual 1, piston 4: label has 41 characters, at most 40"}},
        Rejection{"UnknownPistonKey",
                  "/manuals/1/pistons/4/midichannel",
                  2,
                  {"Manual 2, piston 5", "unknown key \"midichannel\""}},
        Rejection{"UnknownShoeKey",
                  "/manuals/0/channels/2/shoe/input",
                  1,
                  {"Manual 1, channel 3, shoe", "\"input\""}},
        Rejection{"UnknownKeyboardKey", "/manuals/0/keyboard/hardwareType", 0, {"Manual 1, keyboard"}},
        Rejection{"StringForInteger",
                  "/manuals/0/pistons/0/programNumber",
                  "7",
                  {"Manual 1, piston 1", "programNumber must be an integer, got a string"}},
        Rejection{"FractionForInteger",
                  "/manuals/0/channels/15/channelTranspose",
                  36.5,
                  {"Manual 1, channel 16", "channelTranspose", "a fraction"}},
        Rejection{"NullForInteger", "/manuals/1/keyboard/channels", nullptr, {"channels", "null"}},
        Rejection{"IntegerForFlag",
                  "/manuals/0/pistons/3/bankSelMSBFlag",
                  1,
                  {"bankSelMSBFlag must be true or false"}},
        Rejection{
            "ByteTooLarge", "/manuals/0/keyboard/keyboardConfig", 256, {"keyboardConfig 256", "0..255"}},
        Rejection{"NegativeMask", "/manuals/0/keyboard/channels", -1, {"channels -1"}},
        Rejection{"HugeUnsigned",
                  "/manuals/0/channels/0/channelVelocity",
                  18446744073709551615ull,
                  {"channelVelocity"}},
        Rejection{"GroupAboveRange", "/manuals/0/pistons/0/functionGroup", 15, {"functionGroup 15", "0..14"}},
        Rejection{"GroupBelowRange", "/manuals/0/pistons/0/functionGroup", -1, {"functionGroup -1"}},
        Rejection{"ChannelZeroOutsideLarkmoor",
                  "/manuals/0/pistons/0/midiChannel",
                  0,
                  {"Manual 1, piston 1", "midiChannel 0", "1..16"}},
        Rejection{"Channel17", "/manuals/1/pistons/4/midiChannel", 17, {"midiChannel 17"}},
        Rejection{"NumAbove15", "/manuals/1/pistons/19/midiChannel", 16, {"Manual 2, piston 20", "0..15"}},
        Rejection{"NoteBeyond127", "/manuals/1/pistons/4/programNumber", 129, {"programNumber 129"}},
        Rejection{"BankMsbWithBit7", "/manuals/0/pistons/3/bankSelMSB", 128, {"bankSelMSB 128"}},
        Rejection{"BankProgramZero", "/manuals/0/pistons/3/programNumber", 0, {"programNumber 0"}},
        Rejection{"ArchiveInputSpillsIntoChannel", "/manuals/0/keyboard/archiveInput", 4, {"archiveInput 4"}},
        Rejection{"ShoeInputFour", "/manuals/0/channels/0/shoe/channel", 3, {"shoe", "channel 3"}},
        Rejection{"CountDisagrees", "/numberOfManuals", 3, {"numberOfManuals is 3", "holds 2"}},
        Rejection{"PistonsShort",
                  "/manuals/0/pistons",
                  json::array({json::object()}),
                  {"Manual 1", "pistons has 1 entries, expected 20"}},
        Rejection{"ChannelsNotArray", "/manuals/0/channels", json::object(), {"channels must be an array"}},
        Rejection{"ManualNotObject", "/manuals/1", 5, {"Manual 2", "expected an object"}},
        Rejection{"SixManuals",
                  "/manuals",
                  json::array({json::object(), json::object(), json::object(), json::object(), json::object(),
                               json::object()}),
                  {"6 manuals", "at most 5"}}),
    [](const ::testing::TestParamInfo<Rejection>& info) { return std::string(info.param.name); });

TEST(ConfigJson, RejectsWhatTheEncoderRefuses) {
    json document = validDocument();
    document["/manuals/1/pistons/1"_json_pointer] = {
        {"functionGroup", 8}, {"midiChannel", 1}, {"functionType", 300}};
    EXPECT_THAT([&] { configurationFromJson(document); },
                ::testing::ThrowsMessage<ConfigJsonError>(
                    AllOf(HasSubstr("Manual 2, piston 2"), HasSubstr("functionType"))));

    // The start-up archive channel 0 has no place in the image.
    EXPECT_THAT([] { configurationFromJsonText(R"({"manuals": [{}]})"); },
                ::testing::ThrowsMessage<ConfigJsonError>(HasSubstr("archiveChannel")));
}

TEST(ConfigJson, RejectsAKeyGivenTwiceWithItsPlace) {
    const std::string text = configurationToJson(variedModel()).dump();
    const std::string pistonStart = R"({"functionGroup")";
    // The fourth piston of manual 1 gets a second functionGroup.
    std::size_t at = 0;
    for (int k = 0; k < 4; ++k)
        at = text.find(pistonStart, at) + 1;
    std::string doubled = text;
    doubled.insert(at, R"("functionGroup": 0, )");
    EXPECT_THAT([&] { configurationFromJsonText(doubled); },
                ::testing::ThrowsMessage<ConfigJsonError>(
                    AllOf(HasSubstr("manuals[0].pistons[3]"), HasSubstr("\"functionGroup\" appears twice"))));
}

TEST(ConfigJson, ReportsSyntaxErrorsAndNonObjects) {
    EXPECT_THROW(configurationFromJsonText("{\"manuals\": [}"), ConfigJsonError);
    EXPECT_THROW(configurationFromJsonText(""), ConfigJsonError);
    // Found by fuzzing: a number too large for a double escaped as the parser's own exception.
    EXPECT_THROW(configurationFromJsonText("78e6788"), ConfigJsonError);
    EXPECT_THROW(configurationFromJsonText("{\"numberOfManuals\": 1e999}"), ConfigJsonError);
    EXPECT_THAT(
        [] { configurationFromJsonText("[1, 2]"); },
        ::testing::ThrowsMessage<ConfigJsonError>(AllOf(HasSubstr("configuration"), HasSubstr("object"))));
}

} // namespace
} // namespace zkt
