#include "web/link_check_view.h"

#include "link/link_verdict.h"

namespace zkt::web {

namespace {

using nlohmann::json;

json rowView(const LengthResult& row, bool final) {
    const auto average = row.averageRoundTrip();
    return {{"length", row.length},
            {"sent", row.sent},
            {"intact", row.intact},
            {"corrupted", row.corrupted},
            {"lost", final ? json(row.lost()) : json(nullptr)},
            {"roundTripMs", average ? json(static_cast<double>(average->count()) / 1000.0) : json(nullptr)}};
}

} // namespace

json linkCheckView(const LinkCheckRun& run, const std::string& ports, const std::string& refusal) {
    const LinkCheck* check = run.check();
    const LinkReport& report = check != nullptr ? check->report() : run.lastReport();
    const bool final = check == nullptr && run.lastFinished();
    json rows = json::array();
    for (const LengthResult& row : report.lengths)
        rows.push_back(rowView(row, final));
    // Before the first test the table shows what it will send.
    if (report.lengths.empty()) {
        for (const std::size_t length : LinkCheck::testLengths)
            rows.push_back(rowView(LengthResult{length}, false));
    }
    std::string mcus;
    std::string verdict = refusal;
    bool problem = !refusal.empty();
    if (final) {
        const Verdict judged = judgeLink(report);
        mcus = "MCUs counted: " + mcusCountedText(report);
        verdict = judged.text;
        problem = judged.problemFound();
    }
    return {{"running", check != nullptr},
            {"sent", check != nullptr ? check->messagesSent() : 0},
            {"planned", check != nullptr ? check->messagesPlanned() : 0},
            {"ports", ports},
            {"rows", std::move(rows)},
            {"mcus", mcus},
            {"verdict", verdict},
            {"problem", problem}};
}

} // namespace zkt::web
