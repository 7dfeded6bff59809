#include "chart/chart_html.h"

namespace zkt {

namespace {

ChartHeading headingOf(const ChartTitle& title) {
    return {title.source.toStdString(), {title.date.year(), title.date.month(), title.date.day()}};
}

} // namespace

QString chartTitleLine(const ChartTitle& title) {
    return QString::fromStdString(chartHeadingLine(headingOf(title)));
}

QString chartHtml(const ConfigModel& model, const ChartTitle& title) {
    return QString::fromStdString(pistonChartHtml(model, headingOf(title)));
}

} // namespace zkt
