#pragma once
// The record a builder leaves with the church: when and on what configuration the console was
// checked, each manual with its name, what was checked there and every fault, and the faults
// without a manual. Built from a finished check as text lines; written as plain text (zktcli) or
// HTML (check_report_html.h), which the desktop also turns into PDF.

#include "check/console_check.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zkt {

// When the check began, in the computer's local time; the front end reads the calendar.
struct ReportMoment {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
};

struct CheckReportHeading {
    std::string configuration; // a file name, or the encoder chain it was read from; UTF-8
    ReportMoment began;
};

struct ManualReport {
    std::string title;                   // "Manual 1 (Great)"
    std::vector<std::string> checklist;  // keys, pistons, each shoe
    std::vector<std::string> answers;    // the organ's own pistons checked one at a time
    std::vector<std::string> notChecked; // those that were not
    std::vector<std::string> faults;     // each naming its key, piston or shoe
};

struct CheckReport {
    std::string title;
    std::string configuration;
    std::string when;
    std::string messages;
    std::vector<std::string> warnings;
    std::vector<ManualReport> manuals;
    std::vector<std::string> otherFaults; // messages not sent by this configuration
    std::size_t faultCount = 0;
    std::string verdict;
};

// What a manual's part of the report says so far; of a running check too, which the window
// shows as it goes. manual 1..
ManualReport manualReport(const ConsoleCheck& check, int manual);

// check must be finished.
CheckReport checkReport(const ConsoleCheck& check, const CheckReportHeading& heading);

// The heading, each manual's checklist, then one line per fault ("Manual 1 (Great), key 14 (C#2):
// never played"), the pistons not checked, and the verdict. Ends with a line end.
std::string checkReportText(const CheckReport& report);

} // namespace zkt
