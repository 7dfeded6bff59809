#include "editors/list_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace zkt {

void showList(QComboBox& combo, const ListItems& list) {
    {
        // Refilling is not a choice of the user's: only the final selection is announced.
        const QSignalBlocker quiet(combo);
        combo.clear();
        for (const auto& item : list.items) {
            combo.addItem(QString::fromStdString(item.text), item.value);
        }
        combo.setCurrentIndex(noSelection);
    }
    combo.setCurrentIndex(list.selected);
}

ListItems listOf(const QComboBox& combo) {
    ListItems list;
    list.items.reserve(static_cast<std::size_t>(combo.count()));
    for (int position = 0; position < combo.count(); ++position) {
        list.items.push_back({combo.itemText(position).toStdString(), combo.itemData(position).toInt()});
    }
    list.selected = combo.currentIndex();
    return list;
}

void setListIndex(QComboBox& combo, int& position) {
    combo.setCurrentIndex(setListIndex(listOf(combo), position));
}

void setListIndexFromEnd(QComboBox& combo, int value) {
    combo.setCurrentIndex(setListIndexFromEnd(listOf(combo), value));
}

void selectPositionOrNone(QComboBox& combo, int position) {
    combo.setCurrentIndex(position >= 0 && position < combo.count() ? position : noSelection);
}

int selectedValue(const QComboBox& combo, int fallback) {
    return combo.currentIndex() == noSelection ? fallback : combo.currentData().toInt();
}

} // namespace zkt
