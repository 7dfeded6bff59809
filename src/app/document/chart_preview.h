#pragma once
// File > Print Piston Chart…: the chart in Qt's print preview, from where it goes to a printer
// or, through the system's print dialog, to a PDF file.

#include "chart/chart_html.h"

class QWidget;

namespace zkt {

void showChartPreview(const ConfigModel& model, const ChartTitle& title, QWidget* parent);

} // namespace zkt
