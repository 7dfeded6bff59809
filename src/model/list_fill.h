#pragma once
// Drop-down list contents, independent of any window toolkit: the editors only render
// these items.

#include "model/vocabulary.h"

#include <string>
#include <vector>

namespace zkt {

struct ListItem {
    std::string text;
    int value = 0; // the item's attached data

    bool operator==(const ListItem&) const = default;
};

inline constexpr int noSelection = -1;

struct ListItems {
    std::vector<ListItem> items;
    int selected = noSelection; // 0-based position

    int count() const { return static_cast<int>(items.size()); }
};

// The list's entries in order (values 0..n-1), after a single-space blank item (value -1)
// when addBlank is set. The first item is selected when the list itself has entries.
ListItems fillListFromVocabulary(const VocabularyList& list, bool addBlank);

// One item per whole number from high down to low, the lowest selected. With plusSign,
// numbers above 0 read "+5".
ListItems fillNumberList(int low, int high, bool plusSign);

// One item per MIDI note from high down to low, "60 (C3)", the lowest selected.
ListItems fillNoteList(int low, int high);

// A note as the note list shows it: "60 (C3)".
std::string noteText(int note);
// Its name alone: "C3".
std::string noteName(int note);

} // namespace zkt
