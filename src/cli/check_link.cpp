#include "cli/check_link.h"

#include "cli/exit_codes.h"
#include "link/link_check.h"
#include "link/link_check_texts.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zkt::cli {

int checkLink(DeviceSession& session, std::ostream& out, std::ostream& err) {
    session.openChosenPorts();
    LinkCheck check(session.port(), session.clock());
    err << "Testing the MIDI loop with " << check.messagesPlanned() << " messages..." << std::endl;
    LoopWork work;
    work.tick = [&] { check.tick(); };
    work.drain = [&] { check.drain(); };
    work.done = [&] { return check.finished(); };
    if (runLoop(session.driver(), work, session.timeout()) == LoopEnd::timedOut) {
        err << "zktcli: gave up after " << session.timeout()->count() / 1'000'000.0 << " s: the test had sent "
            << check.messagesSent() << " of its " << check.messagesPlanned() << " messages\n";
        return exitcode::timedOut;
    }
    const Verdict verdict = judgeLink(check.report());
    printLinkReport(check.report(), verdict, out);
    if (!out.flush())
        throw std::runtime_error("the report could not be written to standard output");
    return verdict.problemFound() ? exitcode::linkProblem : exitcode::success;
}

void printLinkReport(const LinkReport& report, const Verdict& verdict, std::ostream& out) {
    out << linkchecktext::mcusCounted(report) << " (" << report.tagsSent << " tags sent, "
        << report.tagsReturned << " came back)\n";
    char line[96];
    std::snprintf(line, sizeof line, "%6s %5s %7s %10s %5s %11s\n", "Length", "Sent", "Intact", "Corrupted",
                  "Lost", "Round trip");
    out << line;
    for (const LengthResult& row : report.lengths) {
        std::snprintf(line, sizeof line, "%6zu %5d %7d %10d %5d %11s\n", row.length, row.sent, row.intact,
                      row.corrupted, row.lost(), linkchecktext::roundTrip(row, "-").c_str());
        out << line;
    }
    out << verdict.text << '\n' << std::flush;
}

} // namespace zkt::cli
