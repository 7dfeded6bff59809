#include "app/document/chart_preview.h"

#include "i18n/tr.h"

#include "chart/chart_document.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace zkt {

void showChartPreview(const ConfigModel& model, const ChartTitle& title, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(chartPageLayout(defaultChartPaper()));
    printer.setDocName(QString::fromStdString(zkt::tr("ZKT piston chart")));
    // The configuration cannot change while the preview is open: it is modal.
    ChartDocument chart(model, title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    preview.setWindowTitle(QString::fromStdString(zkt::tr("Print Piston Chart")));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&chart](QPrinter* target) { chart.print(*target); });
    preview.exec();
}

} // namespace zkt
