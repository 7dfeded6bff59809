#include "link/port_names.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace zkt {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Length of a run of digits ending just before `end`.
std::size_t digitsBefore(const std::string& text, std::size_t end) {
    std::size_t count = 0;
    while (count < end && isDigit(text[end - count - 1]))
        ++count;
    return count;
}

// Removes a final " <digits>:<digits>".
std::string withoutClientPortNumbers(std::string name) {
    const std::size_t portDigits = digitsBefore(name, name.size());
    if (portDigits == 0 || portDigits == name.size() || name[name.size() - portDigits - 1] != ':')
        return name;
    const std::size_t colon = name.size() - portDigits - 1;
    const std::size_t clientDigits = digitsBefore(name, colon);
    if (clientDigits == 0 || clientDigits == colon || name[colon - clientDigits - 1] != ' ')
        return name;
    name.erase(colon - clientDigits - 1);
    return name;
}

// Removes every " [<digits>]".
std::string withoutBracketedNumbers(std::string name) {
    for (std::size_t open = name.find(" ["); open != std::string::npos; open = name.find(" [", open)) {
        const std::size_t close = name.find(']', open);
        const bool numbered = close != std::string::npos && close > open + 2 &&
                              std::all_of(name.begin() + static_cast<std::ptrdiff_t>(open + 2),
                                          name.begin() + static_cast<std::ptrdiff_t>(close), isDigit);
        if (numbered)
            name.erase(open, close - open + 1);
        else
            ++open;
    }
    return name;
}

} // namespace

std::string stablePortName(const std::string& name) {
    return withoutBracketedNumbers(withoutClientPortNumbers(name));
}

std::vector<std::string> portLabels(const std::vector<std::string>& names) {
    std::vector<std::string> labels;
    std::map<std::string, int> seen;
    for (const std::string& name : names) {
        std::string label = stablePortName(name);
        const int occurrence = ++seen[label];
        if (occurrence > 1)
            label += " (" + std::to_string(occurrence) + ")";
        labels.push_back(std::move(label));
    }
    return labels;
}

std::optional<int> findPort(const std::vector<std::string>& names, const std::string& label) {
    const std::vector<std::string> labels = portLabels(names);
    const auto found = std::find(labels.begin(), labels.end(), label);
    if (found == labels.end())
        return std::nullopt;
    return static_cast<int>(found - labels.begin());
}

} // namespace zkt
