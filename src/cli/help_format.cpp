#include "cli/help_format.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt::cli {

void HelpFormatter::relabel() {
    // TRANSLATORS: the start of --help's first line: "Usage: zktcli [OPTIONS] SUBCOMMAND".
    label("Usage", tr("Usage"));
    // TRANSLATORS: in --help's first line, where the options go; CLI11 writes it in capitals.
    label("OPTIONS", tr("OPTIONS"));
    // TRANSLATORS: in --help's first line, where the command (show, write...) goes.
    label("SUBCOMMAND", tr("SUBCOMMAND"));
    // TRANSLATORS: after an option or argument in --help that must be given.
    label("REQUIRED", tr("REQUIRED"));
    // TRANSLATORS: after an option in --help, before the options it cannot go with.
    label("Excludes", tr("Excludes"));
    // TRANSLATORS: headings in --help: the arguments given by their place (FILE), the options, the commands.
    label("Positionals", tr("Positionals"));
    label("Options", tr("Options"));
    label("Subcommands", tr("Subcommands"));
}

std::string HelpFormatter::make_group(std::string group, bool isPositional,
                                      std::vector<const CLI::Option*> options) const {
    return Formatter::make_group(get_label(group), isPositional, std::move(options));
}

std::string HelpFormatter::make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const {
    // CLI11 heads the commands with their group's name as it is; zktcli's are all in the one group.
    std::string text = Formatter::make_subcommands(app, mode);
    const std::string heading = "\nSubcommands:\n";
    if (const std::size_t at = text.find(heading); at != std::string::npos)
        text.replace(at, heading.size(), "\n" + get_label("Subcommands") + ":\n");
    return text;
}

std::string HelpFormatter::make_subcommand(const CLI::App* command) const {
    std::stringstream out;
    CLI::detail::format_help(out, command->get_display_name(true), translated(command->get_description()),
                             column_width_);
    return out.str();
}

std::string HelpFormatter::make_footer(const CLI::App* /*app*/) const {
    const std::string footer = m_footer ? m_footer() : std::string();
    return footer.empty() ? footer : footer + "\n";
}

std::string HelpFormatter::make_description(const CLI::App* app) const {
    // zktcli asks for no number of options, so the description is all that CLI11 puts here.
    const std::string description = app->get_description();
    return description.empty() ? description : translated(description) + "\n";
}

std::string HelpFormatter::make_option_desc(const CLI::Option* option) const {
    const std::string description = option->get_description();
    return description.empty() ? description : translated(description);
}

void speakHelpInLanguage(CLI::App& app, std::function<std::string()> footer) {
    auto formatter = std::make_shared<HelpFormatter>(std::move(footer));
    formatter->relabel();
    app.formatter(formatter);
    // As CLI11's own, with its help flag named.
    app.failure_message([](const CLI::App* failed, const CLI::Error& error) {
        std::string text = std::string(error.what()) + "\n";
        if (const CLI::Option* help = failed->get_help_ptr())
            text += formatText(tr("Run with %1 for more information."), help->get_name()) + "\n";
        return text;
    });
    // CLI11's own help flag, its description given here for the catalogue.
    app.set_help_flag("-h,--help", untranslated("Print this help message and exit"));
}

void relabelHelp(CLI::App& app) {
    if (const auto formatter = std::dynamic_pointer_cast<HelpFormatter>(app.get_formatter()))
        formatter->relabel();
}

} // namespace zkt::cli
