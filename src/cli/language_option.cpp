#include "cli/cli_commands.h"

#include "i18n/language.h"
#include "i18n/language_choice.h"

#include <cstdlib>

namespace zkt::cli {

namespace {

std::string languageList() {
    std::string list;
    for (const std::string_view code : shippedLanguages())
        list += (list.empty() ? "" : ", ") + std::string(code);
    return list;
}

} // namespace

void addLanguageOption(CLI::App& app) {
    setLanguage(languageFromEnvironment([](const char* name) { return std::getenv(name); }));
    app.add_option_function<std::string>(
           "--language",
           [](const std::string& code) {
               if (!setLanguage(code))
                   throw CLI::ValidationError("--language", code + " is not one of " + languageList());
           },
           "the language of the reports and messages: " + languageList() +
               " (default: as LANGUAGE, LC_ALL, LC_MESSAGES and LANG ask); JSON and files stay English")
        ->trigger_on_parse();
}

} // namespace zkt::cli
