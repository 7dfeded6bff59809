#include "i18n/po_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace zkt {
namespace {

constexpr std::string_view sample = R"(# A translator's comment
msgid ""
msgstr ""
"Language: de\n"
"Plural-Forms: nplurals=2; plural=(n != 1);\n"

#: src/link/transfer_words.cpp
#, qt-format
msgid "Ready."
msgstr "Bereit."

msgctxt "menu"
msgid "Ready."
msgstr "Fertig"

msgid ""
"Two lines "
"make one"
msgstr "Zwei Zeilen "
   "ergeben eine"

msgid "Escapes"
msgstr "a\tb\n\"c\" \\ \101\x42 \?"

#, fuzzy, qt-format
msgid "Guessed"
msgstr "Geraten"

msgid "Sure"
msgstr "Sicher"

msgid "Untranslated"
msgstr ""

msgid "%1 manual"
msgid_plural "%1 manuals"
msgstr[0] "%1 Manual"
msgstr[1] "%1 Manuale"

#~ msgid "Old"
#~ msgstr "Alt"
)";

TEST(PoReader, ReadsEveryKindOfEntry) {
    const Catalogue catalogue = readPo(sample);
    const auto translation = [&](std::string_view context, std::string_view english) {
        const std::string* found = catalogue.find(context, english);
        return found == nullptr ? std::string("(none)") : *found;
    };
    EXPECT_EQ(translation("", "Ready."), "Bereit.");
    EXPECT_EQ(translation("menu", "Ready."), "Fertig");
    EXPECT_EQ(translation("other", "Ready."), "(none)");
    EXPECT_EQ(translation("", "Two lines make one"), "Zwei Zeilen ergeben eine");
    EXPECT_EQ(translation("", "Escapes"), "a\tb\n\"c\" \\ AB ?");
    EXPECT_EQ(translation("", "Guessed"), "(none)");
    EXPECT_EQ(translation("", "Sure"), "Sicher");
    EXPECT_EQ(translation("", "Untranslated"), "(none)");
    EXPECT_EQ(translation("", "%1 manual"), "%1 Manual");
    EXPECT_EQ(translation("", "Old"), "(none)");
    EXPECT_EQ(catalogue.headerField("Language"), "de");
    EXPECT_EQ(catalogue.headerField("Plural-Forms"), "nplurals=2; plural=(n != 1);");
    EXPECT_EQ(catalogue.headerField("Missing"), "");
}

TEST(PoReader, ReadsWindowsLineEndsAndAnEmptyFile) {
    EXPECT_EQ(*readPo("msgid \"a\"\r\nmsgstr \"b\"\r\n").find("", "a"), "b");
    EXPECT_EQ(readPo("").size(), 0u);
    EXPECT_EQ(readPo("# only a comment\n\n").size(), 0u);
}

TEST(PoReader, RefusesMalformedTextWithItsLine) {
    const struct {
        std::string_view text;
        int line;
        std::string_view problem;
    } cases[] = {
        {"msgid \"a\nmsgstr \"b\"\n", 1, "no closing quote"},
        {"msgid \"a\"\nmsgstr \"b\\q\"\n", 2, "unknown escape \\q"},
        {"msgid \"a\"\nmsgstr \"\\400\"\n", 2, "above \\377"},
        {"msgid \"a\"\nmsgstr \"b\" x\n", 2, "after the string's closing quote"},
        {"msgid \"a\"\nmsgstr b\n", 2, "double quotes was expected"},
        {"msgid\nmsgstr \"b\"\n", 1, "double quotes was expected"},
        {"msgid \"a\"\nmsgtxt \"b\"\n", 2, "unknown keyword 'msgtxt'"},
        {"msgstr \"b\"\n", 1, "msgstr must follow a msgid"},
        {"\"b\"\n", 1, "belongs to no msgid"},
        {"msgid \"a\"\n\nmsgid \"b\"\nmsgstr \"c\"\n", 3, "the msgid of line 1 has no msgstr"},
        {"msgid \"a\"\n", 1, "the msgid of line 1 has no msgstr"},
        {"msgctxt \"x\"\nmsgctxt \"y\"\nmsgid \"a\"\nmsgstr \"b\"\n", 2, "msgctxt without its msgid"},
        {"msgid \"a\"\nmsgstr \"b\"\nmsgstr \"c\"\n", 3, "msgstr must follow a msgid"},
        {"msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"a\"\nmsgstr \"c\"\n", 4, "twice"},
        {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr \"b\"\n", 3, "needs msgstr[0]"},
        {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[1] \"b\"\n", 3, "msgstr[0] was expected"},
        {"msgid \"a\"\nmsgstr[0] \"b\"\n", 2, "must follow a msgid_plural"},
        {"msgid_plural \"as\"\n", 1, "must follow a msgid"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        try {
            readPo(c.text);
            ADD_FAILURE() << "read without complaint";
        } catch (const PoError& error) {
            EXPECT_EQ(error.line(), c.line);
            EXPECT_NE(std::string(error.what()).find(c.problem), std::string::npos) << error.what();
            EXPECT_TRUE(std::string(error.what()).starts_with("line " + std::to_string(c.line) + ": "));
        }
    }
}

} // namespace
} // namespace zkt
