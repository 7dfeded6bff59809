#include "link/write_summary.h"

#include <algorithm>
#include <cctype>

namespace zkt {

namespace {

std::string manualList(const std::vector<int>& manuals) {
    std::string text;
    for (std::size_t i = 0; i < manuals.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == manuals.size() ? " and " : ", ";
        text += separator + std::to_string(manuals[i]);
    }
    return text;
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
    const auto phrase = [](const std::vector<int>& manuals, const char* one, const char* several) {
        return (manuals.size() == 1 ? "manual " : "manuals ") + manualList(manuals) +
               (manuals.size() == 1 ? one : several);
    };
    std::vector<std::string> parts;
    if (!written.empty())
        parts.push_back(phrase(written, " was written", " were written"));
    if (!uncertain.empty())
        parts.push_back(phrase(uncertain, " may be incomplete (write it again)",
                               " may be incomplete (write them again)"));
    if (!notWritten.empty())
        parts.push_back(phrase(notWritten, " was not written", " were not written"));
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    return text + ".";
}

} // namespace zkt
