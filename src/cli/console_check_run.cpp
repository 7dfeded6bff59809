#include "cli/console_check_run.h"

#include "check/check_report.h"
#include "check/check_report_html.h"
#include "check/check_texts.h"
#include "check/console_check.h"
#include "cli/config_source.h"
#include "cli/device_transfers.h"
#include "cli/exit_codes.h"
#include "cli/interrupt.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/atomic_file.h"
#include "model/console_names.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>

namespace zkt::cli {
namespace {

enum class ReportFormat { none, html, pdf };

// A report that could not be written after a long check would be lost: its folder is checked
// before the check begins.
void checkReportFolder(const std::string& reportPath) {
    const std::filesystem::path folder = std::filesystem::absolute(reportPath).parent_path();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        throw std::invalid_argument(
            formatText(tr("%1: the folder %2 does not exist"), reportPath, folder.string()));
    if (access(folder.c_str(), W_OK) != 0) {
        throw std::invalid_argument(
            formatText(tr("%1: the folder %2 cannot be written to"), reportPath, folder.string()));
    }
}

ReportFormat reportFormatOf(const CheckConsoleOptions& options) {
    if (options.reportPath.empty())
        return ReportFormat::none;
    checkReportFolder(options.reportPath);
    if (hasExtension(options.reportPath, ".html") || hasExtension(options.reportPath, ".htm"))
        return ReportFormat::html;
    if (!hasExtension(options.reportPath, ".pdf"))
        throw std::invalid_argument(
            formatText(tr("%1: the report is written as HTML (.html) or PDF (.pdf)"), options.reportPath));
    if (!options.writePdf) {
        throw std::invalid_argument(
            formatText(tr("%1: this zktcli is built without Qt and writes the report as HTML (.html) only"),
                       options.reportPath));
    }
    return ReportFormat::pdf;
}

void takeCompasses(ConfigModel& model, const std::vector<int>& keys) {
    const auto manuals = static_cast<std::size_t>(model.numberOfManuals);
    if (keys.size() > manuals) {
        // TRANSLATORS: the plural goes with the number of manuals (%2); there are always more compasses.
        throw std::invalid_argument(formatText(trn("--keys gives %1 compasses for %2 manuals",
                                                   "--keys gives %1 compasses for %2 manuals", manuals),
                                               keys.size(), manuals));
    }
    for (std::size_t m = 0; m < keys.size(); ++m) {
        if (!compassProblem(keys[m]).empty())
            throw std::invalid_argument(
                formatText(tr("--keys: %1 is not 1 to %2 keys"), keys[m], longestCompass));
        model.names.compass[m] = keys[m];
    }
}

ReportMoment localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

// How many times Enter was pressed at the terminal since the last call.
int enterPresses() {
    int presses = 0;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    while (::poll(&input, 1, 0) > 0 && (input.revents & POLLIN) != 0) {
        char buffer[64];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0)
            break;
        presses += static_cast<int>(std::count(buffer, buffer + got, '\n'));
    }
    return presses;
}

// What happens during the check, told on stderr as it happens.
class CheckNarrator {
public:
    CheckNarrator(ConsoleCheck& check, std::ostream& err) : m_check(check), m_err(err) {}

    void tell() {
        for (const CheckEvent& event : m_check.takeEvents()) {
            if (const auto* fault = std::get_if<FaultAdded>(&event)) {
                const CheckFault& found = m_check.faults().at(fault->index);
                if (found.count == 1)
                    m_err << found.text << std::endl;
            } else if (std::holds_alternative<PromptChanged>(event)) {
                tellPrompt();
            }
        }
    }

private:
    void tellPrompt() {
        if (const std::string prompt = m_check.prompt(); !prompt.empty())
            m_err << prompt << std::endl;
        else if (!m_check.asking() && !m_check.finished() && !m_toldToPlay) {
            m_toldToPlay = true;
            m_err << checktext::playEverything() << std::endl;
        }
    }

    ConsoleCheck& m_check;
    std::ostream& m_err;
    bool m_toldToPlay = false;
};

int exitStatusOf(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::passed:
        return exitcode::success;
    case CheckVerdict::faultsFound:
        return exitcode::consoleFaults;
    case CheckVerdict::unfinished:
        return exitcode::consoleUnfinished;
    }
    return exitcode::consoleFaults;
}

} // namespace

int checkConsole(const DeviceOptions& device, const CheckConsoleOptions& options, std::ostream& out,
                 std::ostream& err) {
    if (options.seconds && *options.seconds <= 0)
        throw std::invalid_argument(tr("--for must be more than 0 seconds"));
    const ReportFormat format = reportFormatOf(options);
    if (options.file.empty() && device.output.empty())
        throw std::invalid_argument(tr("without FILE the chain is read first: give --out too"));
    ConfigModel model;
    // TRANSLATORS: where the configuration of a console check came from, in its report, when not a file.
    std::string source = tr("the encoder chain");
    if (!options.file.empty()) {
        model = loadConfigurationSource(options.file, err);
        source = std::filesystem::path(options.file).filename().string();
        takeCompasses(model, options.keys);
    }
    DeviceSession session(device);
    if (options.file.empty()) {
        if (const int status = loadFromChain(session, model, err); status != exitcode::success)
            return status;
        takeCompasses(model, options.keys);
    }

    session.openChosenInput();
    const ReportMoment began = localNow();
    ConsoleCheck check(model, session.clock());
    for (const std::string& warning : check.warnings())
        err << warning << '\n';
    const bool ask = options.terminal && !options.seconds && check.plan().askedPistons() > 0;
    CheckNarrator narrator(check, err);
    if (ask) {
        err << checktext::askingFirst() << '\n';
        check.startAsking();
    } else if (const int asked = check.plan().askedPistons(); asked > 0) {
        err << checktext::notAsked(asked) << '\n';
    }
    err << checktext::endsAfter(options.seconds.value_or(0)) << '\n';
    if (!ask)
        err << checktext::playEverything() << '\n';
    narrator.tell();

    catchInterrupt();
    LoopWork work;
    work.drain = [&] {
        while (const auto message = session.port().takeReceived())
            check.take(*message);
        narrator.tell();
    };
    work.tick = [&] {
        for (int skip = ask && check.asking() ? enterPresses() : 0; skip > 0; --skip)
            check.skipAsked();
        check.tick();
        narrator.tell();
    };
    work.done = [] { return interruptRequested(); };
    std::optional<Micros> limit;
    if (options.seconds)
        limit = std::chrono::duration_cast<Micros>(std::chrono::duration<double>(*options.seconds));
    runLoop(session.driver(), work, limit);
    // What the end finds is in the report.
    check.finish();

    const CheckReport report = checkReport(check, {source, began});
    out << checkReportText(report) << std::flush;
    if (format == ReportFormat::html)
        writeFileAtomically(options.reportPath, checkReportHtml(report));
    else if (format == ReportFormat::pdf)
        options.writePdf(checkReportHtml(report), report.title + ": " + source, options.reportPath);
    if (!out)
        throw std::runtime_error(tr("the report could not be written to standard output"));
    return exitStatusOf(check.verdict());
}

} // namespace zkt::cli
