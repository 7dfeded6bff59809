#include "app/consolecheck/report_output.h"

#include "chart/chart_document.h"
#include "model/atomic_file.h"

#include <string_view>

namespace zkt {

void writeReportHtml(const ReportPages& report, const QString& path) {
    writeFileAtomically(path.toStdString(), report.html);
}

void writeReportPdf(const ReportPages& report, const QString& path) {
    const QByteArray pdf =
        htmlPdf(QString::fromStdString(report.html), report.footer, report.footer, defaultChartPaper());
    writeFileAtomically(path.toStdString(),
                        std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

void printReport(const ReportPages& report, QPagedPaintDevice& printer) {
    ChartDocument document(QString::fromStdString(report.html), report.footer);
    document.print(printer);
}

} // namespace zkt
