#pragma once
// zktcli's --help in the current language. Descriptions are registered in English, marked with
// untranslated(), and put in the language as the help is printed, so that --language counts
// however late on the command line it comes; CLI11's own headings and labels go with them.

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace zkt::cli {

class HelpFormatter final : public CLI::Formatter {
public:
    // footer: the text after every command's help (the exit statuses), asked for as it is printed.
    explicit HelpFormatter(std::function<std::string()> footer) : m_footer(std::move(footer)) {}

    // CLI11's words (Usage, OPTIONS, REQUIRED...) in the current language.
    void relabel();

    std::string make_group(std::string group, bool isPositional,
                           std::vector<const CLI::Option*> options) const override;
    std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override;
    std::string make_subcommand(const CLI::App* command) const override;
    std::string make_footer(const CLI::App* app) const override;
    std::string make_description(const CLI::App* app) const override;
    std::string make_option_desc(const CLI::Option* option) const override;

private:
    std::function<std::string()> m_footer;
};

// Gives app, and every command registered on it afterwards, the help and the usage errors'
// last line in the current language.
void speakHelpInLanguage(CLI::App& app, std::function<std::string()> footer);
// After the language has changed.
void relabelHelp(CLI::App& app);

} // namespace zkt::cli
