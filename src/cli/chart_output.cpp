#include "cli/chart_output.h"

#include "chart/chart_document.h"
#include "cli/config_source.h"
#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace zkt::cli {

ChartFormat chartFormatOf(const std::string& outputPath) {
    if (hasExtension(outputPath, ".pdf"))
        return ChartFormat::pdf;
    if (hasExtension(outputPath, ".html") || hasExtension(outputPath, ".htm"))
        return ChartFormat::html;
    throw std::runtime_error(
        formatText(tr("%1: a chart is written as PDF (.pdf) or HTML (.html)"), outputPath));
}

void writeChart(const std::string& sourcePath, const std::string& outputPath, const QPageSize& paper,
                std::ostream& warnings) {
    const ChartFormat format = chartFormatOf(outputPath);
    const ConfigModel model = loadConfigurationSource(sourcePath, warnings);
    const ChartTitle title{QFileInfo(QString::fromStdString(sourcePath)).fileName(), QDate::currentDate()};
    const QByteArray contents =
        format == ChartFormat::pdf ? chartPdf(model, title, paper) : chartHtml(model, title).toUtf8();
    writeFileAtomically(outputPath,
                        std::string_view(contents.constData(), static_cast<std::size_t>(contents.size())));
}

void writePdfOfHtml(const std::string& htmlPath, const std::string& outputPath, const std::string& footer,
                    const QPageSize& paper) {
    QFile file(QString::fromStdString(htmlPath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(formatText(tr("%1: %2"), htmlPath, file.errorString().toStdString()));
    const QString html = QString::fromUtf8(file.readAll());
    const QString footerLine = QString::fromStdString(footer);
    const QByteArray contents = htmlPdf(html, footerLine, footerLine, paper);
    writeFileAtomically(outputPath,
                        std::string_view(contents.constData(), static_cast<std::size_t>(contents.size())));
}

} // namespace zkt::cli
