#include "chart/html/piston_chart_html.h"

#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/long_date.h"
#include "i18n/tr.h"
#include "model/console_names.h"
#include "model/html_text.h"
#include "model/manual_summary.h"
#include "model/piston_description.h"
#include "model/piston_rail.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace zkt {

namespace {

// Black on white with grey rules only, so that a black-and-white printer loses nothing. Lengths
// other than font sizes are in px (1/96 inch), the only unit Qt's rich text takes for them.
const std::string styleSheet =
    "body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 9.5pt; color: #000000; }"
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
    "td.label { font-weight: bold; white-space: nowrap; }"
    "table.labelled td, table.labelled th { font-size: 8.5pt; }"
    "td.unassigned { white-space: nowrap; font-style: italic; color: #555555; }"
    "td.group { background-color: #eeeeee; font-weight: bold; white-space: nowrap; }";

std::string number(int value) {
    return std::to_string(value);
}

std::string cell(const std::string& content, const std::string& cellClass = {}) {
    return cellClass.empty() ? "<td>" + content + "</td>"
                             : "<td class=\"" + cellClass + "\">" + content + "</td>";
}

std::string headerRow(const std::vector<std::string>& captions) {
    std::string row = "<tr>";
    for (const std::string& caption : captions)
        row += "<th>" + htmlEscaped(caption) + "</th>";
    return row + "</tr>";
}

std::string heading2(const std::string& text) {
    return "<h2>" + htmlEscaped(text) + "</h2>";
}

std::string paragraph(const std::string& text) {
    return "<p>" + htmlEscaped(text) + "</p>";
}

// The channels and the options stand side by side and keep their rows on one line each.
const std::string settingsTable = " class=\"settings\"";

std::string table(const std::string& rows, const std::string& attributes = {}) {
    return "<table border=\"1\" cellspacing=\"0\"" + attributes + ">" + rows + "</table>";
}

std::string groupCaption(const PistonGroup& group) {
    if (group.first == group.last)
        return formatText(tr("Piston %1"), group.first + 1);
    // TRANSLATORS: the chart's caption of a group of pistons, from %1 to %2.
    return formatText(tr("Pistons %1&ndash;%2"), group.first + 1, group.last + 1);
}

bool hasLabels(const ConfigModel& model, int m) {
    for (int k = 0; k < pistonsPerManual; ++k) {
        if (!model.names.pistonLabels[static_cast<std::size_t>(pistonIndexOf(m, k))].empty())
            return true;
    }
    return false;
}

// The label column only where the manual's pistons have labels: a chart without them stays as it was.
std::string pistonTable(const ConfigModel& model, int m) {
    const bool labelled = hasLabels(model, m);
    std::vector<std::string> captions{tr("Group"), tr("No."), tr("Function"), tr("Detail")};
    if (labelled)
        captions.insert(captions.begin() + 2, tr("Label"));
    std::string rows = "<thead>" + headerRow(captions) + "</thead>";
    for (const PistonGroup& group : pistonRailGroups()) {
        for (int k = group.first; k <= group.last; ++k) {
            const int pistonIndex = pistonIndexOf(m, k);
            const pistonInfo& piston = model.pistons[pistonIndex];
            rows += "<tr>";
            if (k == group.first) {
                rows += "<td class=\"group\" rowspan=\"" + number(group.last - group.first + 1) +
                        "\" valign=\"middle\">" + groupCaption(group) + "</td>";
            }
            rows += cell(number(k + 1), "number");
            if (labelled)
                rows += cell(htmlEscaped(model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)]),
                             "label");
            rows += cell(htmlEscaped(pistonFunctionText(piston)),
                         piston.functionGroup == 0 ? "unassigned" : "function") +
                    cell(htmlEscaped(describePistonDetail(piston))) + "</tr>";
        }
    }
    // A column more: the same texts a little smaller keep the manual on its page.
    return table(rows, labelled ? " width=\"100%\" class=\"labelled\"" : " width=\"100%\"");
}

std::string channelTable(const std::vector<ChannelSummary>& channels) {
    if (channels.empty())
        return paragraph(tr("No channel enabled."));
    // A header row that comes again on the next page when many channels carry the table over.
    std::string rows =
        "<thead>" +
        headerRow({tr("Channel"), tr("Key offset"), tr("Velocity"), tr("Analog input"), tr("Controller")}) +
        "</thead>";
    for (const ChannelSummary& c : channels) {
        rows += "<tr>" + cell(number(c.channel), "number") + cell(htmlEscaped(c.keyOffset), "number") +
                cell(htmlEscaped(c.velocity)) + cell(htmlEscaped(c.analogInput)) +
                cell(htmlEscaped(c.controller)) + "</tr>";
    }
    return table(rows, settingsTable);
}

std::string optionTable(const keyboardInfo& keyboard) {
    std::string rows;
    for (const OptionSummary& option : keyboardOptions(keyboard))
        rows += "<tr>" + cell(htmlEscaped(option.on ? tr("On") : tr("Off"))) +
                cell(htmlEscaped(option.caption)) + "</tr>";
    return table(rows, settingsTable);
}

// The options and the archive crescendo beside each other, so that a manual fits one page. A
// manual playing on many channels keeps its pistons on one page and its settings on the next.
std::string keyboardSettings(const ConfigModel& model, int m) {
    constexpr std::size_t channelsBesideThePistons = 12;
    const std::vector<ChannelSummary> channels = enabledChannels(model, m);
    const std::string continued =
        channels.size() > channelsBesideThePistons
            ? "<p style=\"page-break-before: always\"><b>" +
                  htmlEscaped(formatText(tr("%1, continued"), manualTitle(model.names, m + 1))) + "</b></p>"
            : std::string();
    const std::string options =
        heading2(tr("Enable Piston + Key Combinations")) + optionTable(model.keyboards[m]);
    const std::string archive = heading2(archiveCrescendoTitle()) + "<p>" +
                                htmlEscaped(archiveCrescendoText(model.keyboards[m])) + "</p>";
    return continued + heading2(tr("MIDI channels")) + channelTable(channels) +
           "<table border=\"0\" cellspacing=\"0\" style=\"margin-top: 6px\"><tr>"
           "<td class=\"layout\" valign=\"top\">" +
           options + "</td><td class=\"gap\" width=\"24\"></td><td class=\"layout\" valign=\"top\">" +
           archive + "</td></tr></table>";
}

std::string manualSection(const ConfigModel& model, int m, const ChartHeading& heading) {
    // Every manual after the first starts a page of its own, on paper and in a browser's print.
    const std::string pageBreak = m > 0 ? " style=\"page-break-before: always\"" : "";
    return "<h1" + pageBreak + ">" + htmlEscaped(manualTitle(model.names, m + 1)) + "</h1>" +
           paragraph(formatText(tr("ZKT piston chart: %1"), chartHeadingLine(heading))) +
           heading2(tr("Thumb pistons")) + pistonTable(model, m) + keyboardSettings(model, m);
}

} // namespace

std::string chartHeadingLine(const ChartHeading& heading) {
    const CalendarDate& d = heading.date;
    const std::string date = longDate(d.year, std::clamp(d.month, 1, 12), d.day);
    return heading.source.empty() ? date : heading.source + ", " + date;
}

std::string pistonChartHtml(const ConfigModel& model, const ChartHeading& heading) {
    std::string html = "<!DOCTYPE html><html lang=\"" + std::string(currentLanguage()) +
                       "\"><head><meta charset=\"utf-8\"><title>" +
                       htmlEscaped(formatText(tr("ZKT piston chart: %1"), heading.source)) +
                       "</title><style>" + styleSheet + "</style></head><body>";
    const int manuals = std::clamp<int>(model.numberOfManuals, 0, maxManuals);
    for (int m = 0; m < manuals; ++m)
        html += manualSection(model, m, heading);
    if (manuals == 0)
        html += paragraph(tr("The configuration has no manuals."));
    return html + "</body></html>";
}

} // namespace zkt
