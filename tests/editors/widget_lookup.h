#pragma once
// Finding the editors' widgets by their object names, failing the test when one is missing.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace zkt::test {

template <typename Widget> Widget& widgetNamed(const QWidget& owner, const QString& name) {
    auto* widget = owner.findChild<Widget*>(name);
    if (widget == nullptr) {
        throw std::runtime_error("no widget named " + name.toStdString());
    }
    return *widget;
}

inline QString nameOf(const char* base, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index);
}

inline QComboBox& listNamed(const QWidget& owner, const char* base, int index) {
    return widgetNamed<QComboBox>(owner, nameOf(base, index));
}

inline QCheckBox& checkNamed(const QWidget& owner, const char* base, int index) {
    return widgetNamed<QCheckBox>(owner, nameOf(base, index));
}

inline void clickButton(const QWidget& owner, const char* name) {
    widgetNamed<QPushButton>(owner, QLatin1String(name)).click();
}

// Chooses the entry showing text, as the user would; fails when there is none.
inline void chooseText(QComboBox& list, const QString& text) {
    const int position = list.findText(text);
    ASSERT_GE(position, 0) << "no entry " << text.toStdString() << " in " << list.objectName().toStdString();
    list.setCurrentIndex(position);
}

} // namespace zkt::test
