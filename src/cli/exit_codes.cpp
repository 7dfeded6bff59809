#include "cli/exit_codes.h"

#include "i18n/tr.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zkt::cli::exitcode {

namespace {

// Each status's meaning; a line break in it goes on under the meaning's first line.
constexpr std::array<std::pair<int, const char*>, 12> meanings{{
    {success, untranslated("success; diff: the configurations are equal")},
    {differentOrFailed,
     untranslated("diff: they differ; device commands: the transfer failed or the manual count was invalid")},
    {badInput,
     untranslated(
         "bad input or usage (unreadable or damaged file, invalid JSON or values, no such MIDI port)")},
    {timedOut,
     untranslated("gave up after --timeout (write: before anything was sent); write: the chain could "
                  "not be\nread for the backup")},
    {verificationFailed, untranslated("write or verify: the chain does not hold the configuration")},
    {linkProblem, untranslated("check-link: the test found a problem with the MIDI loop")},
    {deviceGone, untranslated("a MIDI device went away during the transfer")},
    {writtenNotVerified,
     untranslated("write: --timeout ended the read-back; the manuals were written but not verified")},
    {writeCutShort,
     untranslated("write: --timeout ended the writing; the message says which manuals were written")},
    {consoleFaults,
     untranslated("check-console: the console sent something other than the configuration says")},
    {consoleUnfinished,
     untranslated("check-console: nothing was wrong, but not every key, piston and shoe was played")},
    {interrupted, untranslated("interrupted with Ctrl-C (check-console: Ctrl-C ends the check normally)")},
}};

} // namespace

std::string helpText() {
    constexpr std::size_t statusWidth = 5;
    const std::string indent(2 + statusWidth, ' ');
    // TRANSLATORS: the heading of the table of exit statuses at the end of --help.
    std::string text = tr("Exit status:") + "\n";
    for (const auto& [status, meaning] : meanings) {
        std::string number = std::to_string(status);
        number.resize(std::max(statusWidth, number.size() + 1), ' ');
        std::string line = "  " + number;
        for (const char c : translated(meaning)) {
            line += c;
            if (c == '\n')
                line += indent;
        }
        text += line + "\n";
    }
    return text;
}

} // namespace zkt::cli::exitcode
