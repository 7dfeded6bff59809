#pragma once
// Drop-down lists are computed without any toolkit (model/list_fill.h); this puts them into
// combo boxes.

#include "model/list_fill.h"

class QComboBox;

namespace zkt {

// Shows the list: its entries (replaced only where their texts differ, so that a long list is
// not refilled on every choice) and its selection (none for noSelection). Nothing it does is
// announced as the user's choice.
void drawList(QComboBox& combo, const ListItems& list);

} // namespace zkt
