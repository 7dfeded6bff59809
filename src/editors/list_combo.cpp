#include "editors/list_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace zkt {

namespace {

bool showsTheEntries(const QComboBox& combo, const ListItems& list) {
    if (combo.count() != list.count())
        return false;
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i).toStdString() != list.items[static_cast<std::size_t>(i)].text)
            return false;
    }
    return true;
}

} // namespace

void drawList(QComboBox& combo, const ListItems& list) {
    const QSignalBlocker quiet(combo);
    if (!showsTheEntries(combo, list)) {
        combo.clear();
        for (const auto& item : list.items)
            combo.addItem(QString::fromStdString(item.text), item.value);
    }
    combo.setCurrentIndex(list.selected);
}

} // namespace zkt
