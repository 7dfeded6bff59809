#pragma once
// Tools > Check the Console… on the page: the console check (check/console_check.h) on the
// input the organ session lends it, started, skipped, finished and stopped by the page's calls,
// and drawn by the page from the views below. While the simulated chain is the input, a key or
// a piston the page presses plays it there. Every word comes from check/check_texts.h.

#include "check/check_report.h"
#include "check/console_check.h"
#include "link/organ_session.h"
#include "sim/simulated_chain.h"
#include "web/web_session.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

namespace zkt::web {

class PageConsoleCheck {
public:
    PageConsoleCheck(OrganSession& organ, const WebSession& session, SimulatedChain& simulation,
                     const Clock& clock);
    PageConsoleCheck(const PageConsoleCheck&) = delete;
    PageConsoleCheck& operator=(const PageConsoleCheck&) = delete;
    // A check still running lets the input go.
    ~PageConsoleCheck();

    // Starts on the configuration as it is now, begun at the page's local time; false, with the
    // reason in the view, when the input cannot be had. True while one runs already.
    bool start(const ReportMoment& began);
    // The piston asked for stays not checked; the next one is asked for.
    void skipAsked();
    // Asks for none of the rest: they stay "not checked".
    void skipAllAsked();
    // "pressKey", "releaseKey", "pressPiston" or "releasePiston" of a key or piston of the check's
    // manuals, played on the simulated chain while it is the input the check listens to (else
    // nothing happens). Throws std::invalid_argument for another action or one outside the
    // check's manuals, keys and pistons.
    void play(const std::string& action, int manual, int number);
    // Ends the check: {html, fileName} of its report; null when none runs.
    nlohmann::json finish();
    // Closing the dialog: a running check ends without a report, and the input is let go.
    void stop();

    // {state: "before" | "running" | "finished", warnings, refusal, prompt, instructions, asking,
    //  playable, manuals: [{title, keys: [{look, name}], pistons: [{look, ticked, asked, name,
    //  detail}], checklist, shoes: [{line, value}]}], faultsHeading, faults}
    nlohmann::json view() const;
    // The words that do not change: the menu entry, the title, the introduction, the captions and
    // why the check cannot start while a transfer runs.
    static nlohmann::json texts();

private:
    void heard();
    bool playable() const;
    nlohmann::json manualView(int manual) const;

    OrganSession& m_organ;
    const WebSession& m_session;
    SimulatedChain& m_simulation;
    const Clock& m_clock;
    std::unique_ptr<ConsoleCheck> m_check;
    CheckReportHeading m_heading;
    std::string m_refusal;
    // Until when each piston shows lit, by manual and piston.
    std::vector<Micros> m_litUntil;
};

} // namespace zkt::web
