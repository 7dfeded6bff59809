#pragma once
// Drop-down lists are computed without any toolkit (model/list_fill.h); these helpers put
// them into combo boxes and read the combo boxes back in the same terms.

#include "model/list_fill.h"

class QComboBox;

namespace zkt {

// Replaces the combo box's entries by the list's, each entry carrying its value, and
// selects what the list selects (nothing for noSelection).
void showList(QComboBox& combo, const ListItems& list);

// For a stored value that may have no entry: selects the position when the list has it and
// otherwise shows no selection, so that no other value appears to be stored.
void selectPositionOrNone(QComboBox& combo, int position);
// The same for the descending number lists: the position count - value shows value in a list
// running down to 1 (lists running down to 0 are given value + 1).
void selectFromEndOrNone(QComboBox& combo, int value);

// The selected entry's value; fallback when nothing is selected.
int selectedValue(const QComboBox& combo, int fallback);

} // namespace zkt
