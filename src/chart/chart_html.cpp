#include "chart/chart_html.h"

#include "model/manual_summary.h"
#include "model/piston_description.h"
#include "model/piston_rail.h"

#include <algorithm>

namespace zkt {

namespace {

// Black on white with grey rules only, so that a black-and-white printer loses nothing. Lengths
// other than font sizes are in px (1/96 inch), the only unit Qt's rich text takes for them.
const QString styleSheet =
    QStringLiteral("body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 9.5pt; color: #000000; }"
                   "h1 { font-size: 16pt; margin-top: 0px; margin-bottom: 2px; }"
                   "h2 { font-size: 11pt; margin-top: 14px; margin-bottom: 5px; white-space: nowrap; }"
                   "p { margin-top: 0px; margin-bottom: 0px; }"
                   "table { border-collapse: collapse; border-color: #777777; }"
                   "td, th { padding-left: 5px; padding-right: 5px; padding-top: 1px; padding-bottom: 1px; }"
                   "td.layout { padding: 0px; }"
                   "table.settings td, table.settings th { white-space: nowrap; font-size: 9pt; }"
                   "td.gap { padding: 0px; }"
                   "th { background-color: #dddddd; text-align: left; font-weight: bold; }"
                   "td.number { text-align: right; }"
                   "td.function { white-space: nowrap; }"
                   "td.unassigned { white-space: nowrap; font-style: italic; color: #555555; }"
                   "td.group { background-color: #eeeeee; font-weight: bold; white-space: nowrap; }");

QString text(const std::string& plain) {
    return QString::fromStdString(plain).toHtmlEscaped();
}

QString cell(const QString& content, const QString& cellClass = {}) {
    return cellClass.isEmpty() ? QStringLiteral("<td>%1</td>").arg(content)
                               : QStringLiteral("<td class=\"%1\">%2</td>").arg(cellClass, content);
}

QString headerRow(const QStringList& captions) {
    QString row = QStringLiteral("<tr>");
    for (const QString& caption : captions)
        row += QStringLiteral("<th>%1</th>").arg(caption);
    return row + QStringLiteral("</tr>");
}

// The channels and the options stand side by side and keep their rows on one line each.
const QString settingsTable = QStringLiteral(" class=\"settings\"");

QString table(const QString& rows, const QString& attributes = {}) {
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\"%1>%2</table>").arg(attributes, rows);
}

QString groupCaption(const PistonGroup& group) {
    if (group.first == group.last)
        return QStringLiteral("Piston %1").arg(group.first + 1);
    return QStringLiteral("Pistons %1&ndash;%2").arg(group.first + 1).arg(group.last + 1);
}

QString pistonTable(const ConfigModel& model, int m) {
    QString rows = QStringLiteral("<thead><tr><th>Group</th><th>No.</th><th>Function</th>"
                                  "<th>Detail</th></tr></thead>");
    for (const PistonGroup& group : pistonRailGroups()) {
        for (int k = group.first; k <= group.last; ++k) {
            const pistonInfo& piston = model.pistons[pistonIndexOf(m, k)];
            rows += QStringLiteral("<tr>");
            if (k == group.first) {
                rows += QStringLiteral("<td class=\"group\" rowspan=\"%1\" valign=\"middle\">%2</td>")
                            .arg(group.last - group.first + 1)
                            .arg(groupCaption(group));
            }
            rows +=
                cell(QString::number(k + 1), QStringLiteral("number")) +
                cell(text(pistonFunctionText(piston)),
                     piston.functionGroup == 0 ? QStringLiteral("unassigned") : QStringLiteral("function")) +
                cell(text(describePistonDetail(piston))) + QStringLiteral("</tr>");
        }
    }
    return table(rows, QStringLiteral(" width=\"100%\""));
}

QString channelTable(const std::vector<ChannelSummary>& channels) {
    if (channels.empty())
        return QStringLiteral("<p>No channel enabled.</p>");
    // A header row that comes again on the next page when many channels carry the table over.
    QString rows =
        QStringLiteral("<thead>") +
        headerRow({QStringLiteral("Channel"), QStringLiteral("Key offset"), QStringLiteral("Velocity"),
                   QStringLiteral("Analog input"), QStringLiteral("Controller")}) +
        QStringLiteral("</thead>");
    for (const ChannelSummary& c : channels) {
        rows += QStringLiteral("<tr>") + cell(QString::number(c.channel), QStringLiteral("number")) +
                cell(text(c.keyOffset), QStringLiteral("number")) + cell(text(c.velocity)) +
                cell(text(c.analogInput)) + cell(text(c.controller)) + QStringLiteral("</tr>");
    }
    return table(rows, settingsTable);
}

QString optionTable(const keyboardInfo& keyboard) {
    QString rows;
    for (const OptionSummary& option : keyboardOptions(keyboard)) {
        rows += QStringLiteral("<tr>") + cell(option.on ? QStringLiteral("On") : QStringLiteral("Off")) +
                cell(text(option.caption)) + QStringLiteral("</tr>");
    }
    return table(rows, settingsTable);
}

// The options and the archive crescendo beside each other, so that a manual fits one page. A
// manual playing on many channels keeps its pistons on one page and its settings on the next.
QString keyboardSettings(const ConfigModel& model, int m) {
    constexpr std::size_t channelsBesideThePistons = 12;
    const std::vector<ChannelSummary> channels = enabledChannels(model, m);
    const QString continued =
        channels.size() > channelsBesideThePistons
            ? QStringLiteral("<p style=\"page-break-before: always\"><b>Manual #%1, continued</b></p>")
                  .arg(m + 1)
            : QString();
    const QString options =
        QStringLiteral("<h2>Enable Piston + Key Combinations</h2>") + optionTable(model.keyboards[m]);
    const QString archive = QStringLiteral("<h2>Ahlborn Archive Crescendo</h2><p>") +
                            text(archiveCrescendoText(model.keyboards[m])) + QStringLiteral("</p>");
    return continued + QStringLiteral("<h2>MIDI channels</h2>") + channelTable(channels) +
           QStringLiteral("<table border=\"0\" cellspacing=\"0\" style=\"margin-top: 6px\"><tr>"
                          "<td class=\"layout\" valign=\"top\">%1</td><td class=\"gap\" width=\"24\"></td>"
                          "<td class=\"layout\" valign=\"top\">%2</td></tr></table>")
               .arg(options, archive);
}

QString manualSection(const ConfigModel& model, int m, const ChartTitle& title) {
    // Every manual after the first starts a page of its own, on paper and in a browser's print.
    const QString pageBreak = m > 0 ? QStringLiteral(" style=\"page-break-before: always\"") : QString();
    return QStringLiteral("<h1%1>Manual #%2</h1>").arg(pageBreak).arg(m + 1) +
           QStringLiteral("<p>ZKT piston chart: %1</p>").arg(chartTitleLine(title).toHtmlEscaped()) +
           QStringLiteral("<h2>Thumb pistons</h2>") + pistonTable(model, m) + keyboardSettings(model, m);
}

} // namespace

QString chartTitleLine(const ChartTitle& title) {
    // QDate's own format names the month in English whatever the locale.
    const QString date = title.date.toString(QStringLiteral("d MMMM yyyy"));
    return title.source.isEmpty() ? date : title.source + QStringLiteral(", ") + date;
}

QString chartHtml(const ConfigModel& model, const ChartTitle& title) {
    QString html =
        QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>ZKT piston chart: ") +
        title.source.toHtmlEscaped() + QStringLiteral("</title><style>") + styleSheet +
        QStringLiteral("</style></head><body>");
    const int manuals = std::clamp<int>(model.numberOfManuals, 0, maxManuals);
    for (int m = 0; m < manuals; ++m)
        html += manualSection(model, m, title);
    if (manuals == 0)
        html += QStringLiteral("<p>The configuration has no manuals.</p>");
    return html + QStringLiteral("</body></html>");
}

} // namespace zkt
