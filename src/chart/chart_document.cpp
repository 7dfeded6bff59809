#include "chart/chart_document.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

namespace zkt {

namespace {

constexpr qreal layoutDpi = 96;
constexpr qreal pointsPerInch = 72;
constexpr qreal footerPointSize = 8;
constexpr qreal footerHeightPoints = 18; // the gap above the footer line and the line
const QMarginsF chartMarginsMm(15, 15, 15, 12);

QImage layoutDevice() {
    constexpr qreal metresPerInch = 0.0254;
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(layoutDpi / metresPerInch));
    device.setDotsPerMeterY(qRound(layoutDpi / metresPerInch));
    return device;
}

// Without ligatures: a PDF reader hands "ff" back as one character, and then "Note On/Off"
// would no longer be found in the chart's text.
QFont unshaped(QFont font) {
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

qreal pointsToLayout(qreal points) {
    return points * layoutDpi / pointsPerInch;
}

} // namespace

ChartDocument::ChartDocument(const ConfigModel& model, const ChartTitle& title)
    : ChartDocument(chartHtml(model, title), chartTitleLine(title)) {}

ChartDocument::ChartDocument(const QString& html, QString footer)
    : m_footer(std::move(footer)), m_layoutDevice(layoutDevice()) {
    m_document.documentLayout()->setPaintDevice(&m_layoutDevice);
    m_document.setDefaultFont(unshaped(m_document.defaultFont()));
    m_document.setHtml(html);
}

int ChartDocument::paginate(const QPageLayout& layout) {
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    m_document.setPageSize(
        QSizeF(pointsToLayout(paint.width()), pointsToLayout(paint.height() - footerHeightPoints)));
    return m_document.pageCount();
}

void ChartDocument::print(QPagedPaintDevice& device) {
    const int pages = paginate(device.pageLayout());
    QPainter painter(&device);
    const qreal scale = device.logicalDpiY() / layoutDpi;
    painter.scale(scale, scale);
    const QSizeF page = m_document.pageSize();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -p * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, p * page.height()), page);
        // A table broken over two pages draws its rules on both; the footer stays clear of them.
        painter.setClipRect(context.clip);
        context.palette.setColor(QPalette::Text, Qt::black);
        m_document.documentLayout()->draw(&painter, context);
        painter.restore();
        paintFooter(painter, p, pages);
    }
}

void ChartDocument::paintFooter(QPainter& painter, int page, int pages) const {
    QFont font = unshaped(QFont(QStringLiteral("DejaVu Sans")));
    // In layout units: the painter is already scaled from them to the device.
    font.setPixelSize(qRound(pointsToLayout(footerPointSize)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QSizeF body = m_document.pageSize();
    const QRectF line(0, body.height(), body.width(), pointsToLayout(footerHeightPoints));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignBottom, m_footer);
    painter.drawText(line, Qt::AlignRight | Qt::AlignBottom,
                     QString::fromStdString(formatText(tr("Page %1 of %2"), page + 1, pages)));
}

QPageLayout chartPageLayout(const QPageSize& paper) {
    return QPageLayout(paper, QPageLayout::Portrait, chartMarginsMm, QPageLayout::Millimeter);
}

namespace {

QByteArray pdfOf(ChartDocument& document, const QString& title, const QPageSize& paper) {
    QByteArray contents;
    QBuffer buffer(&contents);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("ZKTConfig"));
        writer.setPageLayout(chartPageLayout(paper));
        document.print(writer);
    }
    return contents;
}

} // namespace

QByteArray chartPdf(const ConfigModel& model, const ChartTitle& title, const QPageSize& paper) {
    ChartDocument chart(model, title);
    return pdfOf(chart, QString::fromStdString(formatText(tr("ZKT piston chart: %1"), title.source.toStdString())),
                 paper);
}

QByteArray htmlPdf(const QString& html, const QString& title, const QString& footer, const QPageSize& paper) {
    ChartDocument document(html, footer);
    return pdfOf(document, title, paper);
}

QPageSize defaultChartPaper() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                        : QPageSize::A4);
}

} // namespace zkt
