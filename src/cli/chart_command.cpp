// `zktcli chart`: the options are zktcli's, the work is zktcli-chart's, a program of its own so
// that the other commands start without loading Qt.

#include "cli/cli_commands.h"

#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/tr.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zkt::cli {
namespace {

namespace fs = std::filesystem;

struct ChartArguments {
    std::string source;
    std::string output;
    std::string paper; // empty: the locale's
};

// Beside zktcli in a build tree; where the package installs it otherwise.
fs::path chartProgram() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        throw std::runtime_error(
            formatText(tr("cannot find the chart program: %1: %2"), "/proc/self/exe", error.message()));
    const fs::path folder = self.parent_path();
    const fs::path installed = (folder / ZKT_CHART_PROGRAM).lexically_normal();
    for (const fs::path& candidate : {folder / "zktcli-chart", installed}) {
        if (fs::exists(candidate, error))
            return candidate;
    }
    throw std::runtime_error(formatText(tr("the chart program is missing: %1"), installed.string()));
}

[[noreturn]] void runChartProgram(const ChartArguments& arguments) {
    const std::string program = chartProgram().string();
    std::string name = "zktcli-chart";
    std::string source = arguments.source;
    std::string output = arguments.output;
    std::string paper = arguments.paper;
    std::string language(currentLanguage());
    char* const argv[] = {name.data(), language.data(), source.data(), output.data(), paper.data(), nullptr};
    std::cout.flush();
    ::execv(program.c_str(), argv);
    throw std::runtime_error(formatText(tr("cannot run %1: %2"), program, std::strerror(errno)));
}

// A file of our own in the temporary folder, removed when it goes.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& contents) {
        std::string pattern = (fs::temp_directory_path() / "zktcli-report-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw std::runtime_error(
                formatText(tr("cannot make a temporary file: %1"), std::strerror(errno)));
        m_path = pattern;
        const bool written =
            ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
        ::close(fd);
        if (!written)
            throw std::runtime_error(formatText(tr("cannot write the temporary file %1"), m_path));
    }
    ~TemporaryFile() {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

void writeHtmlAsPdf(const std::string& html, const std::string& footer, const std::string& path) {
    const TemporaryFile input(html);
    const std::string program = chartProgram().string();
    std::string name = "zktcli-chart";
    std::string flag = "--html";
    std::string inputPath = input.path();
    std::string output = path;
    std::string footerLine = footer;
    std::string language(currentLanguage());
    char* const argv[] = {name.data(),   language.data(),   flag.data(), inputPath.data(),
                          output.data(), footerLine.data(), nullptr};
    pid_t child = 0;
    if (const int error = ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ); error != 0)
        throw std::runtime_error(formatText(tr("cannot run %1: %2"), program, std::strerror(error)));
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The chart program has said why on stderr.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(formatText(tr("%1: the PDF report was not written"), path));
}

void registerChartCommand(CLI::App& app) {
    auto arguments = std::make_shared<ChartArguments>();
    CLI::App* chart = app.add_subcommand(
        "chart",
        untranslated(
            "Write the printable piston chart of a configuration, one manual to a page, as PDF or HTML"));
    chart->add_option("FILE", arguments->source, untranslated("a .zkt configuration or its .json form"))
        ->required();
    chart->add_option("-o,--output", arguments->output, untranslated("the .pdf or .html file to write"))
        ->required();
    chart
        ->add_option(
            "--paper", arguments->paper,
            untranslated("a4 or letter (default: letter where the locale measures in US units, else a4)"))
        ->transform(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    chart->callback([arguments] { runChartProgram(*arguments); });
}

} // namespace zkt::cli
