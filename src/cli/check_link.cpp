#include "cli/check_link.h"

#include "cli/exit_codes.h"
#include "cli/transfer_wait.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/link_check.h"
#include "link/link_check_texts.h"
#include "model/console_names.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace zkt::cli {

int checkLink(DeviceSession& session, std::ostream& out, std::ostream& err) {
    session.openChosenPorts();
    LinkCheck check(session.port(), session.clock());
    const int planned = check.messagesPlanned();
    err << formatText(trn("Testing the MIDI loop with %1 message...",
                          "Testing the MIDI loop with %1 messages...", static_cast<unsigned long>(planned)),
                      planned)
        << std::endl;
    LoopWork work;
    work.tick = [&] { check.tick(); };
    work.drain = [&] { check.drain(); };
    work.done = [&] { return check.finished(); };
    if (runLoop(session.driver(), work, session.timeout()) == LoopEnd::timedOut) {
        err << formatText(trn("zktcli: gave up after %1 s: the test had sent %2 of its %3 message",
                              "zktcli: gave up after %1 s: the test had sent %2 of its %3 messages",
                              static_cast<unsigned long>(planned)),
                          secondsText(*session.timeout()), check.messagesSent(), planned)
            << '\n';
        return exitcode::timedOut;
    }
    const Verdict verdict = judgeLink(check.report());
    printLinkReport(check.report(), verdict, out);
    if (!out.flush())
        throw std::runtime_error(tr("the report could not be written to standard output"));
    return verdict.problemFound() ? exitcode::linkProblem : exitcode::success;
}

void printLinkReport(const LinkReport& report, const Verdict& verdict, std::ostream& out) {
    out << formatText(trn("%1 (%2 tag sent, %3 came back)", "%1 (%2 tags sent, %3 came back)",
                          static_cast<unsigned long>(report.tagsSent)),
                      linkchecktext::mcusCounted(report), report.tagsSent, report.tagsReturned)
        << '\n';
    // Right-aligned columns, each at least as wide as its heading in characters.
    // TRANSLATORS: the heading of a narrow column of message lengths, in bytes.
    const std::array<std::string, 6> headings{tr("Length"),    tr("Sent"), tr("Intact"),
                                              tr("Corrupted"), tr("Lost"), tr("Round trip")};
    constexpr std::array<std::size_t, 6> narrowest{6, 5, 7, 10, 5, 11};
    std::array<std::size_t, 6> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column)
        widths[column] = std::max(narrowest[column], characterCount(headings[column]));
    const auto writeRow = [&](const std::array<std::string, 6>& cells) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const std::size_t width = widths[column];
            out << (column == 0 ? "" : " ")
                << std::string(width - std::min(width, characterCount(cells[column])), ' ') << cells[column];
        }
        out << '\n';
    };
    writeRow(headings);
    for (const LengthResult& row : report.lengths) {
        writeRow({std::to_string(row.length), std::to_string(row.sent), std::to_string(row.intact),
                  std::to_string(row.corrupted), std::to_string(row.lost()),
                  linkchecktext::roundTrip(row, "-")});
    }
    out << verdict.text << '\n' << std::flush;
}

} // namespace zkt::cli
