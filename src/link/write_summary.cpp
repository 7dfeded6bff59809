#include "link/write_summary.h"

#include "i18n/format_text.h"
#include "i18n/list_text.h"
#include "i18n/tr.h"

#include <algorithm>
#include <cctype>

namespace zkt {

namespace {

std::string manualList(const std::vector<int>& manuals) {
    std::vector<std::string> numbers;
    for (const int manual : manuals)
        numbers.push_back(std::to_string(manual));
    return listText(numbers, ListJoin::all);
}

bool contains(const std::vector<int>& manuals, int manual) {
    return std::find(manuals.begin(), manuals.end(), manual) != manuals.end();
}

} // namespace

std::string writeSummary(const std::vector<int>& written, const std::vector<int>& uncertain,
                         const std::vector<int>& covered) {
    std::vector<int> notWritten;
    for (int manual : covered) {
        if (!contains(written, manual) && !contains(uncertain, manual))
            notWritten.push_back(manual);
    }
    // TRANSLATORS: %1 is a manual's number, or a list of them ("2 and 4").
    std::vector<std::string> parts;
    if (!written.empty())
        parts.push_back(formatText(trn("manual %1 was written", "manuals %1 were written", written.size()),
                                   manualList(written)));
    if (!uncertain.empty())
        parts.push_back(formatText(trn("manual %1 may be incomplete (write it again)",
                                       "manuals %1 may be incomplete (write them again)", uncertain.size()),
                                   manualList(uncertain)));
    if (!notWritten.empty())
        parts.push_back(
            formatText(trn("manual %1 was not written", "manuals %1 were not written", notWritten.size()),
                       manualList(notWritten)));
    if (parts.empty())
        return {};
    std::string text = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        // TRANSLATORS: joins the parts of a write's summary into one sentence.
        text = formatText(tr("%1; %2"), text, parts[i]);
    text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    return text + ".";
}

} // namespace zkt
