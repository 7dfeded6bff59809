#include "model/list_fill.h"

#include <array>

namespace zkt {

namespace {

constexpr int blankItemValue = -1;

std::string numberText(int number, bool plusSign) {
    const std::string digits = std::to_string(number);
    return plusSign && number > 0 ? "+" + digits : digits;
}

ListItems selectLast(ListItems list) {
    list.selected = list.items.empty() ? noSelection : list.count() - 1;
    return list;
}

} // namespace

std::string noteName(int note) {
    static constexpr std::array<const char*, 12> names = {"C",  "C#", "D",  "D#", "E",  "F",
                                                          "F#", "G",  "G#", "A",  "A#", "B"};
    // Octaves are numbered so that note 60 is C3; floor division keeps negative notes sane.
    const int nameIndex = ((note % 12) + 12) % 12;
    const int octave = (note - nameIndex) / 12 - 2;
    return names[static_cast<std::size_t>(nameIndex)] + std::to_string(octave);
}

std::string noteText(int note) {
    return std::to_string(note) + " (" + noteName(note) + ")";
}

ListItems fillListFromVocabulary(const VocabularyList& list, bool addBlank) {
    ListItems result;
    if (addBlank) {
        result.items.push_back({" ", blankItemValue});
    }
    int code = 0;
    for (const auto& text : list) {
        result.items.push_back({text, code++});
    }
    if (!list.empty()) {
        result.selected = 0;
    }
    return result;
}

ListItems fillNumberList(int low, int high, bool plusSign) {
    ListItems result;
    for (int number = high; number >= low; --number) {
        result.items.push_back({numberText(number, plusSign), number});
    }
    return selectLast(std::move(result));
}

ListItems fillNoteList(int low, int high) {
    ListItems result;
    for (int note = high; note >= low; --note) {
        result.items.push_back({noteText(note), note});
    }
    return selectLast(std::move(result));
}

} // namespace zkt
