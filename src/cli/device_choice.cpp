#include "cli/device_choice.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <stdexcept>

namespace zkt::cli {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string listing(const std::vector<std::string>& names, const std::vector<int>& indices) {
    std::string text;
    for (int index : indices)
        text += "\n  " + std::to_string(index) + ": " + names[static_cast<std::size_t>(index)];
    return text;
}

std::vector<int> allIndices(const std::vector<std::string>& names) {
    std::vector<int> indices(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        indices[i] = static_cast<int>(i);
    return indices;
}

} // namespace

int chooseDevice(const std::vector<std::string>& names, const std::string& choice,
                 const std::string& direction) {
    const bool input = direction == "input";
    if (names.empty())
        throw std::runtime_error(input ? tr("no MIDI input device found")
                                       : tr("no MIDI output device found"));
    if (choice.empty()) {
        if (names.size() == 1)
            return 0;
        // TRANSLATORS: %1 is the list of devices, each on a line of its own.
        throw std::runtime_error(formatText(input
                                                ? tr("several MIDI input devices; choose one with --in:%1")
                                                : tr("several MIDI output devices; choose one with --out:%1"),
                                            listing(names, allIndices(names))));
    }
    int number = 0;
    const auto [end, error] = std::from_chars(choice.data(), choice.data() + choice.size(), number);
    if (error == std::errc() && end == choice.data() + choice.size()) {
        if (number < 0 || number >= static_cast<int>(names.size()))
            throw std::runtime_error(formatText(input ? tr("there is no MIDI input device %1:%2")
                                                      : tr("there is no MIDI output device %1:%2"),
                                                choice, listing(names, allIndices(names))));
        return number;
    }
    std::vector<int> matches;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (lowered(names[i]).find(lowered(choice)) != std::string::npos)
            matches.push_back(static_cast<int>(i));
    }
    if (matches.size() == 1)
        return matches.front();
    if (matches.empty()) {
        throw std::runtime_error(formatText(input ? tr("no MIDI input device name contains \"%1\":%2")
                                                  : tr("no MIDI output device name contains \"%1\":%2"),
                                            choice, listing(names, allIndices(names))));
    }
    throw std::runtime_error(formatText(input ? tr("\"%1\" matches several MIDI input devices:%2")
                                              : tr("\"%1\" matches several MIDI output devices:%2"),
                                        choice, listing(names, matches)));
}

} // namespace zkt::cli
