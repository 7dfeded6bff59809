#pragma once
// `zktcli chart`: the printable piston chart of a configuration file, as PDF or HTML.

#include <QPageSize>
#include <ostream>
#include <string>

namespace zkt::cli {

enum class ChartFormat { pdf, html };

// By the output's extension, in any case; any other extension is refused naming the path.
ChartFormat chartFormatOf(const std::string& outputPath);

// Reads the configuration, lays out its chart headed with the file's name and today's date, and
// replaces outputPath in one step; what a damaged file left out goes to warnings. Needs a
// QGuiApplication for the fonts.
void writeChart(const std::string& sourcePath, const std::string& outputPath, const QPageSize& paper,
                std::ostream& warnings);

// Reads the HTML file and replaces outputPath by it as PDF, the footer line on every page.
void writePdfOfHtml(const std::string& htmlPath, const std::string& outputPath, const std::string& footer,
                    const QPageSize& paper);

} // namespace zkt::cli
