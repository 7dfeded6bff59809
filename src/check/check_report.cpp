#include "check/check_report.h"

#include "check/check_texts.h"
#include "model/console_names.h"

#include <algorithm>

namespace zkt {

namespace {

using Kind = ConsoleSource::Kind;

void addSection(std::string& text, const std::string& heading, const std::vector<std::string>& lines,
                const std::string& indent) {
    if (lines.empty())
        return;
    text += "\n" + heading + ":\n";
    for (const std::string& line : lines)
        text += indent + line + "\n";
}

} // namespace

ManualReport manualReport(const ConsoleCheck& check, int manualNumber) {
    const ManualPlan& manual = check.plan().manual(manualNumber);
    const ConsoleNames& names = check.plan().model().names;
    const ManualProgress& progress = check.progress(manual.manual);
    ManualReport report;
    report.title = manualWithName(names, manual.manual);

    const auto played = std::count_if(progress.keys.begin(), progress.keys.end(),
                                      [](const KeyProgress& key) { return key.expected && key.played; });
    report.checklist.push_back(checktext::keysPlayed(
        static_cast<int>(played), static_cast<int>(manual.expectedKeys.size()), manual.compass));
    int followed = 0;
    int pressed = 0;
    int asked = 0;
    for (const PlannedPiston& piston : manual.pistons) {
        const PistonProgress& state = progress.pistons[static_cast<std::size_t>(piston.piston - 1)];
        const ConsoleSource source{Kind::piston, manual.manual, piston.piston};
        if (piston.check == PistonCheck::followed) {
            ++followed;
            pressed += state.presses > 0 ? 1 : 0;
        } else if (piston.check == PistonCheck::asked) {
            ++asked;
            if (state.answer)
                report.answers.push_back(checktext::pistonAnswered(names, source, *state.answer));
            else
                report.notChecked.push_back(checktext::pistonNotChecked(
                    names, source, checktext::pistonSetTo(check.plan().model(), source)));
        }
    }
    report.checklist.push_back(checktext::pistonsPressed(pressed, followed));
    if (asked > 0)
        report.checklist.push_back(
            checktext::pistonsAnswered(static_cast<int>(report.answers.size()), asked));
    for (std::size_t i = 0; i < manual.shoes.size(); ++i) {
        const ShoeProgress& shoe = progress.shoes[i];
        report.checklist.push_back(checktext::shoeRange(names, {Kind::shoe, manual.manual, shoe.input},
                                                        checktext::shoeDrives(manual.shoes[i]), shoe.lowest,
                                                        shoe.highest));
    }
    return report;
}

CheckReport checkReport(const ConsoleCheck& check, const CheckReportHeading& heading) {
    CheckReport report;
    report.title = checktext::reportTitle();
    report.configuration = checktext::reportConfiguration(heading.configuration);
    const ReportMoment& began = heading.began;
    const double seconds = std::chrono::duration<double>(check.endedAt() - check.startedAt()).count();
    report.when =
        checktext::reportWhen(began.year, began.month, began.day, began.hour, began.minute, seconds);
    report.messages = checktext::reportMessages(check.messagesTaken());
    report.warnings = check.warnings();
    for (const ManualPlan& manual : check.plan().manuals())
        report.manuals.push_back(manualReport(check, manual.manual));
    for (const CheckFault& fault : check.faults()) {
        const std::string line = checktext::fault(fault);
        if (fault.sources.empty())
            report.otherFaults.push_back(line);
        else
            report.manuals.at(static_cast<std::size_t>(fault.sources.front().manual - 1))
                .faults.push_back(line);
    }
    report.faultCount = check.faults().size();
    report.verdict = checktext::verdict(check.verdict());
    return report;
}

std::string checkReportText(const CheckReport& report) {
    std::string text =
        report.title + "\n" + report.configuration + "\n" + report.when + "\n" + report.messages + "\n";
    addSection(text, checktext::warningsHeading(), report.warnings, "  ");
    for (const ManualReport& manual : report.manuals) {
        text += "\n" + manual.title + "\n";
        for (const std::string& line : manual.checklist)
            text += "  " + line + "\n";
    }
    std::vector<std::string> faults;
    for (const ManualReport& manual : report.manuals)
        faults.insert(faults.end(), manual.faults.begin(), manual.faults.end());
    faults.insert(faults.end(), report.otherFaults.begin(), report.otherFaults.end());
    // Flush left, one to a line: scripts read them as they are.
    addSection(text, checktext::faultsHeading(report.faultCount), faults, "");
    std::vector<std::string> answers;
    std::vector<std::string> notChecked;
    for (const ManualReport& manual : report.manuals) {
        answers.insert(answers.end(), manual.answers.begin(), manual.answers.end());
        notChecked.insert(notChecked.end(), manual.notChecked.begin(), manual.notChecked.end());
    }
    addSection(text, checktext::answersHeading(), answers, "  ");
    addSection(text, checktext::notCheckedHeading(), notChecked, "  ");
    return text + "\n" + report.verdict + "\n";
}

} // namespace zkt
