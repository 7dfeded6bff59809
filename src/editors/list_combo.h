#pragma once
// Drop-down lists are computed without any toolkit (model/list_fill.h); these helpers put
// them into combo boxes and read the combo boxes back in the same terms.

#include "model/list_fill.h"

class QComboBox;

namespace zkt {

// Replaces the combo box's entries by the list's, each entry carrying its value, and
// selects what the list selects (nothing for noSelection).
void showList(QComboBox& combo, const ListItems& list);

// The combo box's entries and selection as a toolkit-neutral list.
ListItems listOf(const QComboBox& combo);

// The shared selection routines, applied to a combo box.
void setListIndex(QComboBox& combo, int& position);
void setListIndexFromEnd(QComboBox& combo, int value);

// For a stored value that may have no entry: selects the position when the list has it and
// otherwise shows no selection, so that no other value appears to be stored.
void selectPositionOrNone(QComboBox& combo, int position);

// The selected entry's value; fallback when nothing is selected.
int selectedValue(const QComboBox& combo, int fallback);

} // namespace zkt
