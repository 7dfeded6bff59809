#pragma once
// The piston chart's HTML (chart/html) for the desktop's Qt types.

#include "chart/html/piston_chart_html.h"
#include "model/config_model.h"

#include <QDate>
#include <QString>

namespace zkt {

struct ChartTitle {
    QString source; // a file name, or the encoder chain it was read from
    QDate date;
};

QString chartHtml(const ConfigModel& model, const ChartTitle& title);

// "three-manuals.zkt, 8 December 2026": the same in every language the program runs in.
QString chartTitleLine(const ChartTitle& title);

} // namespace zkt
