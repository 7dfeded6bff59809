#pragma once
// The chart laid out on paper: the same document goes to the print preview, a printer and a
// PDF file, and is laid out again for each page size.

#include "chart/chart_html.h"

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QTextDocument>

class QPagedPaintDevice;

namespace zkt {

class ChartDocument {
public:
    ChartDocument(const ConfigModel& model, const ChartTitle& title);
    // Other HTML of the program's laid out the same way (the console check's report), with this
    // footer line beside the page numbers.
    ChartDocument(const QString& html, QString footer);

    // Lays the chart out on pages of the layout's paint rectangle less the footer line;
    // returns the number of pages.
    int paginate(const QPageLayout& layout);
    // Paginates for the device's page layout and paints every page with its footer.
    void print(QPagedPaintDevice& device);

    QTextDocument& document() { return m_document; }

private:
    void paintFooter(QPainter& painter, int page, int pages) const;

    QString m_footer;
    // The layout measures in 1/96 inch whatever the screen, so that a page holds the same on
    // every machine; the printer's painter is scaled to its own resolution.
    QImage m_layoutDevice;
    QTextDocument m_document;
};

// The chart's paper in portrait with its margins.
QPageLayout chartPageLayout(const QPageSize& paper);

// The chart as a PDF file's contents, on A4 or Letter.
QByteArray chartPdf(const ConfigModel& model, const ChartTitle& title, const QPageSize& paper);

// The HTML as a PDF file's contents, titled and footed as given.
QByteArray htmlPdf(const QString& html, const QString& title, const QString& footer, const QPageSize& paper);

// Letter where the locale measures in inches the American way, A4 everywhere else.
QPageSize defaultChartPaper();

} // namespace zkt
