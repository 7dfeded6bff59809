#pragma once
// The console check's report as it leaves the window: an HTML file of its own, a PDF file laid
// out as the piston chart is, or a printer. Each page's footer names the check and the
// configuration.

#include <QString>
#include <string>

class QPagedPaintDevice;

namespace zkt {

struct ReportPages {
    std::string html;
    QString footer; // "Console check: three-manuals.zkt"
};

// Both throw ConfigFileError naming the file and why it could not be written.
void writeReportHtml(const ReportPages& report, const QString& path);
void writeReportPdf(const ReportPages& report, const QString& path);
void printReport(const ReportPages& report, QPagedPaintDevice& printer);

} // namespace zkt
