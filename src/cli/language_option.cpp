#include "cli/cli_commands.h"

#include "cli/help_format.h"
#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/language_choice.h"
#include "i18n/tr.h"

#include <cstdlib>
#include <memory>

namespace zkt::cli {

namespace {

std::string languageList() {
    std::string list;
    for (const std::string_view code : shippedLanguages())
        list += (list.empty() ? "" : ", ") + std::string(code);
    return list;
}

std::string languageOptionHelp() {
    return formatText(tr("the language of the reports and messages: %1 (default: as LANGUAGE, LC_ALL, "
                         "LC_MESSAGES and LANG ask); JSON and files stay English"),
                      languageList());
}

} // namespace

void addLanguageOption(CLI::App& app) {
    setLanguage(languageFromEnvironment([](const char* name) { return std::getenv(name); }));
    relabelHelp(app);
    // The option's own help is put together with the list of languages, so it is given anew in
    // the language the option sets.
    auto option = std::make_shared<CLI::Option*>(nullptr);
    *option = app.add_option_function<std::string>(
                     "--language",
                     [&app, option](const std::string& code) {
                         if (!setLanguage(code)) {
                             throw CLI::ValidationError(
                                 "--language", formatText(tr("%1 is not one of %2"), code, languageList()));
                         }
                         relabelHelp(app);
                         (*option)->description(languageOptionHelp());
                     },
                     languageOptionHelp())
                  ->trigger_on_parse();
}

} // namespace zkt::cli
