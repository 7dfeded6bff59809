#include "cli/cli_commands.h"

#include "cli/exit_codes.h"
#include "cli/file_actions.h"
#include "i18n/tr.h"

#include <iostream>
#include <memory>

namespace zkt::cli {
namespace {

struct FileArguments {
    std::string source;
    std::string other;
    std::string output;
    bool fields = false;
};

} // namespace

void registerFileCommands(CLI::App& app) {
    auto arguments = std::make_shared<FileArguments>();

    CLI::App* show = app.add_subcommand(
        "show", untranslated("Report what every manual, channel and piston of a configuration does"));
    show->add_option("FILE", arguments->source, untranslated("a .zkt configuration or its .json form"))
        ->required();
    show->callback([arguments] { showConfiguration(arguments->source, std::cout, std::cerr); });

    CLI::App* exporter = app.add_subcommand("export", untranslated("Write a .zkt configuration as JSON"));
    exporter->add_option("FILE", arguments->source, untranslated("the .zkt configuration"))->required();
    CLI::Option* exportOutput = exporter->add_option(
        "-o,--output", arguments->output, untranslated("the .json file to write (default: standard output)"));
    exporter->callback([arguments, exportOutput] {
        const std::optional<std::string> output =
            exportOutput->count() > 0 ? std::optional<std::string>(arguments->output) : std::nullopt;
        exportConfiguration(arguments->source, output, std::cout, std::cerr);
    });

    CLI::App* importer =
        app.add_subcommand("import", untranslated("Check a JSON configuration and write it as a .zkt file"));
    importer->add_option("FILE", arguments->source, untranslated("the .json configuration"))->required();
    importer->add_option("-o,--output", arguments->output, untranslated("the .zkt file to write"))
        ->required();
    importer->callback([arguments] { importConfiguration(arguments->source, arguments->output); });

    CLI::App* diff = app.add_subcommand(
        "diff",
        untranslated("Say what differs between two configurations (exit 0 equal, 1 different, 2 error)"));
    diff->add_option("A", arguments->source, untranslated("a .zkt or .json configuration"))->required();
    diff->add_option("B", arguments->other, untranslated("a .zkt or .json configuration"))->required();
    diff->add_flag(
        "--fields", arguments->fields,
        untranslated("field by field, with the model's field names and stored values, for scripts"));
    diff->callback([arguments] {
        const DiffForm form = arguments->fields ? DiffForm::fields : DiffForm::words;
        if (!compareConfigurations(arguments->source, arguments->other, form, std::cout, std::cerr)) {
            throw CLI::RuntimeError(exitcode::differentOrFailed);
        }
    });
}

} // namespace zkt::cli
