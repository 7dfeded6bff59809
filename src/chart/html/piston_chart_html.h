#pragma once
// The printed piston chart, one manual to a page: its pistons by rail group with their
// descriptions, its channels, its option bits and its archive crescendo. Written as HTML once,
// for the desktop's print preview, PDF and HTML files and for the browser page's print alike.

#include "model/config_model.h"

#include <string>

namespace zkt {

struct CalendarDate {
    int year;
    int month; // 1..12
    int day;
};

// What every page is headed with: where the configuration came from, and the day it is printed.
struct ChartHeading {
    std::string source; // a file name, or the encoder chain it was read from; UTF-8
    CalendarDate date;
};

std::string pistonChartHtml(const ConfigModel& model, const ChartHeading& heading);

// "three-manuals.zkt, 8 December 2026": in English whatever the language the program runs in.
std::string chartHeadingLine(const ChartHeading& heading);

} // namespace zkt
