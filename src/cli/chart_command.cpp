#include "cli/cli_commands.h"

#include "chart/chart_document.h"
#include "cli/chart_output.h"

#include <QGuiApplication>
#include <functional>
#include <memory>

namespace zkt::cli {
namespace {

struct ChartArguments {
    std::string source;
    std::string output;
    std::string paper;
};

QtMessageHandler qtMessages = nullptr;

// Qt warns at start-up when there is no runtime folder (cron, su, containers); the chart never
// uses one, and a warning in every nightly mail would only alarm.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        qtMessages(type, context, message);
}

// Fonts need a QGuiApplication, and only this command makes one; without a platform chosen
// it is the offscreen one, so that a chart needs no display (cron, ssh, a build server).
void withGuiApplication(const std::function<void()>& work) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zktcli";
    char* argv[] = {name, nullptr};
    qtMessages = qInstallMessageHandler(withoutRuntimeFolderWarning);
    const QGuiApplication application(argc, argv);
    qInstallMessageHandler(qtMessages);
    work();
}

QPageSize paperNamed(const std::string& name) {
    if (name.empty())
        return defaultChartPaper();
    return QPageSize(name == "letter" ? QPageSize::Letter : QPageSize::A4);
}

} // namespace

void registerChartCommand(CLI::App& app) {
    auto arguments = std::make_shared<ChartArguments>();
    CLI::App* chart = app.add_subcommand(
        "chart", "Write the printable piston chart of a configuration, one manual to a page, as PDF or HTML");
    chart->add_option("FILE", arguments->source, "a .zkt configuration or its .json form")->required();
    chart->add_option("-o,--output", arguments->output, "the .pdf or .html file to write")->required();
    chart
        ->add_option("--paper", arguments->paper,
                     "a4 or letter (default: letter where the locale measures in US units, else a4)")
        ->transform(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    chart->callback([arguments] {
        withGuiApplication(
            [&] { writeChart(arguments->source, arguments->output, paperNamed(arguments->paper)); });
    });
}

} // namespace zkt::cli
