// zktcli-chart LANGUAGE SOURCE OUTPUT PAPER: the work of `zktcli chart`, which has checked the
// options and runs this program in its place; errors are worded and numbered as zktcli's own,
// and the chart is in zktcli's language.
// zktcli-chart LANGUAGE --html INPUT OUTPUT FOOTER: HTML of zktcli's (the console check's report)
// as PDF.

#include "chart/chart_document.h"
#include "cli/chart_output.h"
#include "cli/exit_codes.h"
#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/tr.h"

#include <QGuiApplication>
#include <exception>
#include <iostream>
#include <string_view>

namespace {

QtMessageHandler qtMessages = nullptr;

// Qt warns at start-up when there is no runtime folder (cron, su, containers); the chart never
// uses one, and a warning in every nightly mail would only alarm.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        qtMessages(type, context, message);
}

QPageSize paperNamed(const std::string& name) {
    if (name.empty())
        return zkt::defaultChartPaper();
    return QPageSize(name == "letter" ? QPageSize::Letter : QPageSize::A4);
}

} // namespace

int main(int argc, char** argv) {
    const bool fromHtml = argc == 6 && std::string_view(argv[2]) == "--html";
    if ((argc != 5 && !fromHtml) || !zkt::setLanguage(argv[1])) {
        std::cerr << zkt::tr("zktcli-chart: run by `zktcli chart FILE -o OUTPUT`") << '\n';
        return zkt::cli::exitcode::badInput;
    }
    // Fonts need a QGuiApplication; without a platform chosen it is the offscreen one, so that
    // a chart needs no display (cron, ssh, a build server). Qt sees no arguments: a file name
    // such as "-style" is not its business.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    qtMessages = qInstallMessageHandler(withoutRuntimeFolderWarning);
    const QGuiApplication application(qtArgc, argv);
    qInstallMessageHandler(qtMessages);
    try {
        if (fromHtml)
            zkt::cli::writePdfOfHtml(argv[3], argv[4], argv[5], zkt::defaultChartPaper());
        else
            zkt::cli::writeChart(argv[2], argv[3], paperNamed(argv[4]), std::cerr);
    } catch (const std::exception& error) {
        std::cerr << zkt::formatText(zkt::tr("zktcli: %1"), error.what()) << '\n';
        return zkt::cli::exitcode::badInput;
    }
    return 0;
}
