#include "i18n/language.h"
#include "i18n/language_choice.h"
#include "i18n/tr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace zkt {
namespace {

class Language : public ::testing::Test {
protected:
    void TearDown() override { setLanguage(englishLanguage); }
};

TEST_F(Language, EnglishUntilAnotherIsChosen) {
    EXPECT_EQ(currentLanguage(), "en");
    EXPECT_EQ(currentCatalogue(), nullptr);
    EXPECT_EQ(tr("Ready."), "Ready.");
}

TEST_F(Language, EveryShippedCatalogueReadsAndNamesItsLanguage) {
    const std::vector<std::string_view> languages = shippedLanguages();
    for (std::string_view language : {"en", "de", "nl", "fr"})
        EXPECT_NE(std::find(languages.begin(), languages.end(), language), languages.end()) << language;
    for (std::string_view language : languages) {
        ASSERT_TRUE(setLanguage(language)) << language;
        EXPECT_EQ(currentLanguage(), language);
        if (language != englishLanguage) {
            ASSERT_NE(currentCatalogue(), nullptr);
            EXPECT_EQ(currentCatalogue()->headerField("Language"), language);
        }
    }
}

TEST_F(Language, AnUnknownLanguageOrTextChangesNothing) {
    ASSERT_TRUE(setLanguage("de"));
    EXPECT_FALSE(setLanguage("es"));
    EXPECT_FALSE(setLanguage("DE"));
    EXPECT_EQ(currentLanguage(), "de");
    EXPECT_EQ(tr("Ready."), "Bereit.");
    EXPECT_EQ(tr("No such text"), "No such text");
    EXPECT_EQ(tr("no such context", "Ready."), "Ready.");
    ASSERT_TRUE(setLanguage("en"));
    EXPECT_EQ(tr("Ready."), "Ready.");
}

TEST(LanguageChoice, ReadsTheEnvironmentAsGettextDoes) {
    using Environment = std::map<std::string, std::string>;
    const struct {
        Environment environment;
        std::string_view expected;
    } cases[] = {
        {{}, "en"},
        {{{"LANG", "de_DE.UTF-8"}}, "de"},
        {{{"LANG", "de_AT.UTF-8@euro"}}, "de"},
        {{{"LANG", "nl_BE"}}, "nl"},
        {{{"LANG", "fr"}}, "fr"},
        {{{"LANG", "es_ES.UTF-8"}}, "en"},
        {{{"LANG", "C"}, {"LANGUAGE", "de"}}, "en"},
        {{{"LANG", "POSIX"}}, "en"},
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "fr"}}, "en"},
        {{{"LANGUAGE", "de"}}, "en"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "fr_FR.UTF-8"}}, "fr"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "nl_NL.UTF-8"}}, "nl"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_ALL", ""}, {"LC_MESSAGES", ""}}, "de"},
        {{{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, "en"},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "es:nl:de"}}, "nl"},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:de"}}, "en"},
        {{{"LANG", "sv_SE.UTF-8"}, {"LANGUAGE", "sv::fr_CA"}}, "fr"},
        {{{"LANG", "sv_SE.UTF-8"}, {"LANGUAGE", "sv"}}, "en"},
        {{{"LANG", "nl_NL.UTF-8"}, {"LANGUAGE", ""}}, "nl"},
    };
    for (const auto& c : cases) {
        const auto lookup = [&](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        std::string described;
        for (const auto& [name, value] : c.environment)
            described += name + "=" + value + " ";
        EXPECT_EQ(languageFromEnvironment(lookup), c.expected) << described;
    }
}

TEST(LanguageChoice, TakesTheFirstShippedOfABrowsersLanguages) {
    const struct {
        std::vector<std::string> preferred;
        std::string_view expected;
    } cases[] = {
        {{}, "en"},
        {{"de-AT", "en-US"}, "de"},
        {{"sv-SE", "NL", "fr"}, "nl"},
        {{"en-GB", "fr-FR"}, "en"},
        {{"es", "pt-BR"}, "en"},
        {{"", "fr-CA"}, "fr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(languageFromPreferences(c.preferred), c.expected) << ::testing::PrintToString(c.preferred);
}

} // namespace
} // namespace zkt
