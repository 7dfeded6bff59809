#pragma once
// The printed piston chart, one manual to a page: its pistons by rail group with their
// descriptions, its channels, its option bits and its archive crescendo. Written as HTML once,
// for the print preview, the PDF file and the HTML file alike.

#include "model/config_model.h"

#include <QDate>
#include <QString>

namespace zkt {

// What every page is headed with: where the configuration came from, and the day it is printed.
struct ChartTitle {
    QString source; // a file name, or the encoder chain it was read from
    QDate date;
};

QString chartHtml(const ConfigModel& model, const ChartTitle& title);

// "three-manuals.zkt, 8 December 2026": the same in every language the program runs in.
QString chartTitleLine(const ChartTitle& title);

} // namespace zkt
