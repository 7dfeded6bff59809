// The core's texts in another language: what a piston sends, as the window, the page and the
// chart show it, and what stays English whatever the language (the JSON scripts read).
#include "chart/html/piston_chart_html.h"
#include "check/check_texts.h"
#include "i18n/language.h"
#include "link/write_summary.h"
#include "model/config_json.h"
#include "model/example_organ.h"
#include "model/piston_description.h"

#include <gtest/gtest.h>

#include <string>

namespace zkt {
namespace {

class TranslatedTexts : public ::testing::Test {
protected:
    void TearDown() override { setLanguage(englishLanguage); }
};

TEST_F(TranslatedTexts, PistonsAreDescribedInTheChosenLanguage) {
    struct Case {
        const char* language;
        pistonInfo piston;
        const char* withDetail;
    };
    const Case cases[] = {
        {"en",
         {.functionGroup = 4, .functionType = 7, .midiChannel = 2},
         "Ahlborn General on MIDI Channel 2 (Memory B General #2)"},
        {"de",
         {.functionGroup = 4, .functionType = 7, .midiChannel = 2},
         "Ahlborn-Generalkombination auf MIDI-Kanal 2 (Speicher B, Kombination 2)"},
        {"nl",
         {.functionGroup = 2, .midiChannel = 1},
         "Ahlborn-tremulant op MIDI-kanaal 1 (Tremulant zwelwerk)"},
        {"fr",
         {.functionGroup = 3, .midiChannel = 16},
         "Annulateur Ahlborn sur canal MIDI 16 (Annulateur général)"},
        {"de",
         {.functionGroup = 12, .midiChannel = 1, .programNumber = 62},
         "Note On/Off # 62 auf MIDI-Kanal 1 (Note 61 (C#3))"},
        {"fr", {.functionGroup = 13, .midiChannel = 1}, "Toutes notes coupées sur canal MIDI 1"},
        {"nl",
         {.functionGroup = 14, .functionType = 26, .midiChannel = 1},
         "LARKMOOR-drukknop met CASE=26 en NUM=1 (CASE 1A - Omhoog/omlaag, NUM 1 - Omlaag)"},
        {"de", {}, "Nicht belegt"},
        {"fr", {.functionGroup = 15}, "groupe de fonctions 15"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(setLanguage(c.language));
        EXPECT_EQ(pistonFunctionWithDetail(c.piston), c.withDetail) << c.language;
    }
}

TEST_F(TranslatedTexts, CountsTakeTheirLanguagesPluralForms) {
    struct Case {
        const char* language;
        std::size_t messages;
        const char* text;
    };
    const Case cases[] = {
        {"en", 1, "1 message taken from the console"},   {"en", 0, "0 messages taken from the console"},
        {"de", 1, "1 Meldung vom Spieltisch empfangen"}, {"de", 0, "0 Meldungen vom Spieltisch empfangen"},
        {"fr", 0, "0 message reçu de la console"},       {"fr", 2, "2 messages reçus de la console"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(setLanguage(c.language));
        EXPECT_EQ(checktext::reportMessages(c.messages), c.text) << c.language << ' ' << c.messages;
    }
}

TEST_F(TranslatedTexts, AWritesSummaryJoinsItsManualsAsTheLanguageDoes) {
    ASSERT_TRUE(setLanguage("de"));
    EXPECT_EQ(writeSummary({2, 4}, {}, {1, 2, 3, 4}),
              "Manuale 2 und 4 wurden geschrieben; Manuale 1 und 3 wurden nicht geschrieben.");
    ASSERT_TRUE(setLanguage("fr"));
    EXPECT_EQ(
        writeSummary({1, 3, 5}, {2}, {1, 2, 3, 4, 5}),
        "Les claviers 1, 3 et 5 ont été écrits\u00a0; le clavier 2 est peut-être incomplet (écrivez-le à "
        "nouveau)\u00a0; le clavier 4 n'a pas été écrit.");
}

TEST_F(TranslatedTexts, TheJsonStaysEnglishAndTheLanguageStaysChosen) {
    const ConfigModel organ = exampleOrgan(3);
    const std::string english = configurationExportText(organ);
    for (const char* language : {"de", "nl", "fr"}) {
        ASSERT_TRUE(setLanguage(language));
        EXPECT_EQ(configurationExportText(organ), english) << language;
        EXPECT_EQ(currentLanguage(), language);
    }
}

TEST_F(TranslatedTexts, TheChartSaysWhichLanguageItIsIn) {
    const ConfigModel organ = exampleOrgan(1);
    ASSERT_TRUE(setLanguage("nl"));
    const std::string chart = pistonChartHtml(organ, {"orgel.zkt", {2026, 12, 9}});
    EXPECT_NE(chart.find("<html lang=\"nl\">"), std::string::npos);
    EXPECT_NE(chart.find("<h2>Drukknoppen</h2>"), std::string::npos);
    EXPECT_NE(chart.find("orgel.zkt, 9 december 2026"), std::string::npos);
}

} // namespace
} // namespace zkt
