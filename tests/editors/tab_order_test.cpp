// Tab goes through the editors as they read: row by row from the top, left to right in a row,
// over every input each function group shows and on both pages of the keyboard settings.

#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "widget_lookup.h"

#include <QApplication>
#include <QCheckBox>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace zkt {
namespace {

using namespace test;

// The first two widgets Tab goes through out of reading order; empty when the whole chain
// reads in order.
QString outOfReadingOrder(QWidget& dialog) {
    int reached = 0;
    QWidget* previous = nullptr;
    QRect previousPlace;
    for (QWidget* widget = dialog.nextInFocusChain(); widget != &dialog;
         widget = widget->nextInFocusChain()) {
        if (!widget->isVisible() || !widget->isEnabled() || (widget->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        const QRect place(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        if (previous != nullptr) {
            const bool sameRow = std::abs(place.center().y() - previousPlace.center().y()) <
                                 std::min(place.height(), previousPlace.height()) / 2;
            const bool inOrder = sameRow ? place.left() > previousPlace.left()
                                         : place.center().y() > previousPlace.center().y();
            if (!inOrder)
                return previous->objectName() + QStringLiteral(" then ") + widget->objectName();
        }
        previous = widget;
        previousPlace = place;
        ++reached;
    }
    return reached >= 3 ? QString() : QStringLiteral("hardly anything to reach");
}

TEST(TabOrderTest, ThePistonEditorReadsInOrderForEveryFunctionGroup) {
    ConfigModel model;
    PistonEditor editor(model, [](int) {});
    ASSERT_TRUE(editor.prepare(0));
    editor.show();
    QComboBox& groups = widgetNamed<QComboBox>(editor, QStringLiteral("cboFunction"));
    for (int group = 0; group < groups.count(); ++group) {
        groups.setCurrentIndex(group);
        for (QCheckBox* box : editor.findChildren<QCheckBox*>())
            box->setChecked(true); // every Bank Select row usable
        QApplication::processEvents();
        EXPECT_EQ(outOfReadingOrder(editor).toStdString(), "") << groups.itemText(group).toStdString();
    }
}

TEST(TabOrderTest, TheKeyboardEditorReadsInOrderOnBothPages) {
    ConfigModel model;
    KeyboardEditor editor(model);
    ASSERT_TRUE(editor.prepare(0));
    editor.show();
    for (int page = 0; page < keyboardPageCount; ++page) {
        clickButton(editor, nameOf("tabMidiChannels", page).toLatin1().constData());
        for (QCheckBox* box :
             editor.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^chkChannel"))))
            box->setChecked(true); // every channel row usable
        QApplication::processEvents();
        EXPECT_EQ(outOfReadingOrder(editor).toStdString(), "") << "page " << page;
    }
}

// Both editors open on the input their forms name, also when opened again after another.
TEST(TabOrderTest, EachEditorOpensWithTheFocusOnItsMainInput) {
    ConfigModel model;
    PistonEditor pistons(model, [](int) {});
    KeyboardEditor keyboards(model);
    for (QDialog* dialog : {static_cast<QDialog*>(&pistons), static_cast<QDialog*>(&keyboards)}) {
        const bool piston = dialog == &pistons;
        for (int opening = 0; opening < 2; ++opening) {
            ASSERT_TRUE(piston ? pistons.prepare(opening) : keyboards.prepare(opening));
            dialog->show();
            QApplication::processEvents();
            ASSERT_NE(dialog->focusWidget(), nullptr);
            EXPECT_EQ(dialog->focusWidget()->objectName().toStdString(),
                      piston ? PistonForm::openOn : KeyboardForm::openOn)
                << "opening " << opening;
            // Somewhere else before the dialog goes, as a user leaves it.
            widgetNamed<QWidget>(*dialog,
                                 piston ? QStringLiteral("txtLabel") : QStringLiteral("cboVelocity_0"))
                .setFocus();
            dialog->hide();
        }
    }
}

} // namespace
} // namespace zkt
