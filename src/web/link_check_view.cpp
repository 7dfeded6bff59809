#include "web/link_check_view.h"

#include "link/link_check_texts.h"
#include "link/link_verdict.h"
#include "model/editor_texts.h"

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
            {"roundTripMs", average ? json(static_cast<double>(average->count()) / 1000.0) : json(nullptr)},
            {"roundTrip", linkchecktext::roundTrip(row)}};
}

} // namespace

json linkCheckTexts() {
    return {{"title", linkchecktext::title()},
            {"intro", linkchecktext::intro()},
            {"columns", linkchecktext::columns()},
            {"start", editortext::withoutMnemonic(linkchecktext::startCaption(false))},
            {"again", editortext::withoutMnemonic(linkchecktext::startCaption(true))},
            {"close", editortext::withoutMnemonic(linkchecktext::closeCaption())}};
}

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
        mcus = linkchecktext::mcusCounted(report);
        verdict = judged.text;
        problem = judged.problemFound();
    }
    std::string progress;
    if (check != nullptr)
        progress = linkchecktext::progress(check->messagesSent(), check->messagesPlanned());
    else if (final)
        progress = linkchecktext::done();
    return {{"running", check != nullptr},
            {"progress", progress},
            {"sent", check != nullptr ? check->messagesSent() : 0},
            {"planned", check != nullptr ? check->messagesPlanned() : 0},
            {"ports", ports},
            {"rows", std::move(rows)},
            {"mcus", mcus},
            {"verdict", verdict},
            {"problem", problem}};
}

} // namespace zkt::web
