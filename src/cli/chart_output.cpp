#include "cli/chart_output.h"

#include "chart/chart_document.h"
#include "cli/config_source.h"
#include "model/atomic_file.h"

#include <QFileInfo>
#include <stdexcept>

namespace zkt::cli {

ChartFormat chartFormatOf(const std::string& outputPath) {
    if (hasExtension(outputPath, ".pdf"))
        return ChartFormat::pdf;
    if (hasExtension(outputPath, ".html") || hasExtension(outputPath, ".htm"))
        return ChartFormat::html;
    throw std::runtime_error(outputPath + ": a chart is written as PDF (.pdf) or HTML (.html)");
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

} // namespace zkt::cli
