#include "check/check_report_html.h"

#include "check/check_texts.h"
#include "model/html_text.h"

namespace zkt {

namespace {

// Font sizes in pt, other lengths in px: the only units Qt's rich text takes for them.
const std::string styleSheet =
    "body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 10pt; color: #000000; }"
    "h1 { font-size: 16pt; margin-bottom: 4px; }"
    "h2 { font-size: 12pt; margin-top: 16px; margin-bottom: 4px; }"
    "h3 { font-size: 10pt; margin-top: 8px; margin-bottom: 2px; }"
    "p { margin-top: 0px; margin-bottom: 2px; }"
    "ul { margin-top: 0px; margin-bottom: 4px; }"
    "p.verdict { margin-top: 16px; font-weight: bold; }";

std::string paragraph(const std::string& text, const std::string& className = {}) {
    const std::string attribute = className.empty() ? std::string() : " class=\"" + className + "\"";
    return "<p" + attribute + ">" + htmlEscaped(text) + "</p>";
}

std::string list(const std::vector<std::string>& items) {
    std::string html = "<ul>";
    for (const std::string& item : items)
        html += "<li>" + htmlEscaped(item) + "</li>";
    return html + "</ul>";
}

std::string section(const std::string& heading, const std::vector<std::string>& items,
                    const char* level = "h3") {
    if (items.empty())
        return {};
    return std::string("<") + level + ">" + htmlEscaped(heading) + "</" + level + ">" + list(items);
}

} // namespace

std::string checkReportHtml(const CheckReport& report) {
    std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" +
                       htmlEscaped(report.title) + ": " + htmlEscaped(report.configuration) +
                       "</title><style>" + styleSheet + "</style></head><body>";
    html += "<h1>" + htmlEscaped(report.title) + "</h1>" + paragraph(report.configuration) +
            paragraph(report.when) + paragraph(report.messages);
    html += section(checktext::warningsHeading(), report.warnings, "h2");
    for (const ManualReport& manual : report.manuals) {
        html += "<h2>" + htmlEscaped(manual.title) + "</h2>" + list(manual.checklist);
        html += section(checktext::faultsHeading(manual.faults.size()), manual.faults);
        html += section(checktext::answersHeading(), manual.answers);
        html += section(checktext::notCheckedHeading(), manual.notChecked);
    }
    html += section(checktext::otherFaultsHeading(), report.otherFaults, "h2");
    if (report.faultCount == 0)
        html += paragraph(checktext::noFaults(), "verdict");
    return html + paragraph(report.verdict, "verdict") + "</body></html>";
}

} // namespace zkt
