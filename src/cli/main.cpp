#include "cli/cli_commands.h"
#include "cli/exit_codes.h"
#include "cli/help_format.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{zkt::untranslated("zktcli: reports, backups and transfers for the ZKT organ MIDI encoder")};
    app.require_subcommand(1);
    // Options of zktcli's own, such as --language, may also follow the command's.
    app.fallthrough();
    zkt::cli::speakHelpInLanguage(app, zkt::cli::exitcode::helpText);
    zkt::cli::addLanguageOption(app);
    zkt::cli::registerFileCommands(app);
    zkt::cli::registerDeviceCommands(app);
#ifdef ZKT_WITH_CHART
    zkt::cli::registerChartCommand(app);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        // A command's own verdict, such as diff finding differences; not an error to report.
        return e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? zkt::cli::exitcode::success : zkt::cli::exitcode::badInput;
    } catch (const std::exception& e) {
        std::cerr << zkt::formatText(zkt::tr("zktcli: %1"), e.what()) << '\n';
        return zkt::cli::exitcode::badInput;
    }
    return 0;
}
