#pragma once
// The language every text is given in: English, the texts as the sources write them, until a
// front end chooses another. The one piece of state the process shares, like a locale: set it
// at start-up, before the first text is asked for.

#include "i18n/catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace zkt {

inline constexpr std::string_view englishLanguage = "en";

// English first, then every language a catalogue is shipped for, by its code ("de").
std::vector<std::string_view> shippedLanguages();
// A shipped language's name as its speakers write it ("Deutsch"), for a choice of languages;
// the code itself for one that is not shipped.
std::string languageName(std::string_view language);
// False, and the language as it was, for a language that is not shipped.
bool setLanguage(std::string_view language);
std::string_view currentLanguage();
// The catalogue of the current language; nullptr for English.
const Catalogue* currentCatalogue();

// Every text in English while it lives, whatever language was chosen, and the language as it
// was afterwards: for what scripts and stored files read (JSON, the program log), which never
// depend on the language.
class InEnglish {
public:
    InEnglish();
    ~InEnglish();
    InEnglish(const InEnglish&) = delete;
    InEnglish& operator=(const InEnglish&) = delete;

private:
    std::string_view m_before;
};

} // namespace zkt
