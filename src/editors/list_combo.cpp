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

void selectPositionOrNone(QComboBox& combo, int position) {
    combo.setCurrentIndex(position >= 0 && position < combo.count() ? position : noSelection);
}

void selectFromEndOrNone(QComboBox& combo, int value) {
    selectPositionOrNone(combo, combo.count() - value);
}

int selectedValue(const QComboBox& combo, int fallback) {
    return combo.currentIndex() == noSelection ? fallback : combo.currentData().toInt();
}

} // namespace zkt
