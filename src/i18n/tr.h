#pragma once
// Marks a text the user reads and gives it in the current language: the catalogue's
// translation, or the English text itself where there is none (and always in English).
// scripts/update-po finds every call by its name, so the English must be a string literal here;
// a context tells apart two texts that are the same in English and not in another language.

#include <string>
#include <string_view>

namespace zkt {

std::string tr(std::string_view english);
std::string tr(std::string_view context, std::string_view english);
// A text whose words follow a number: the form n takes in the current language ("%1 byte",
// "%1 bytes"), still with its placeholders for formatText.
std::string trn(std::string_view english, std::string_view englishPlural, unsigned long n);

// Marks a text that a table keeps, in English, for the catalogue; translated() gives it in the
// current language where it is shown.
constexpr const char* untranslated(const char* english) { return english; }
constexpr const char* untranslated(const char* /*context*/, const char* english) { return english; }
// The catalogue's translation of a text marked with untranslated() or built from the
// vocabulary's English; the text itself where there is none.
std::string translated(std::string_view english);

} // namespace zkt
