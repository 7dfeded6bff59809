// The status window: newest line in view, Close against the close box.

#include "app/device/status_window.h"
#include "app_test_support.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt {
namespace {

class StatusWindowTest : public ::testing::Test {
protected:
    StatusWindowTest() {
        QObject::connect(&status, &StatusWindow::closedByUser, [this](bool releaseInput) {
            ++closings;
            inputReleases += releaseInput;
        });
        status.show();
    }
    QPlainTextEdit* textView() { return status.findChild<QPlainTextEdit*>(QStringLiteral("txtStatus")); }
    QPushButton* closeButton() { return status.findChild<QPushButton*>(QStringLiteral("cmdClose")); }

    StatusWindow status;
    int closings = 0;
    int inputReleases = 0;
};

TEST_F(StatusWindowTest, AppendingToALongTextKeepsTheLastLineInView) {
    status.replaceText("Requesting ZKT Configuration..");
    for (int i = 0; i < 200; ++i)
        status.appendText("\r\nline " + std::to_string(i));
    status.appendText(" ok");
    test::processEvents();
    QScrollBar* scroll = textView()->verticalScrollBar();
    EXPECT_GT(scroll->maximum(), 0);
    EXPECT_EQ(scroll->value(), scroll->maximum());
    EXPECT_TRUE(textView()->textCursor().atEnd());
    EXPECT_TRUE(textView()->toPlainText().endsWith(QStringLiteral("line 199 ok")));
    // What callers read back is what they wrote, line breaks included.
    EXPECT_EQ(status.text().substr(status.text().size() - 13), "\r\nline 199 ok");
    EXPECT_FALSE(textView()->toPlainText().contains(QLatin1Char('\r')));
}

TEST_F(StatusWindowTest, CloseReleasesTheInputHidesAndKeepsTheText) {
    status.replaceText("Ready.");
    QTest::mouseClick(closeButton(), Qt::LeftButton);
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(inputReleases, 1);
    EXPECT_FALSE(status.isVisible());
    status.show();
    EXPECT_EQ(status.text(), "Ready.");
    EXPECT_EQ(textView()->toPlainText(), QStringLiteral("Ready."));
}

TEST_F(StatusWindowTest, TheCloseBoxForgetsTheTextAndLeavesTheInputAlone) {
    status.replaceText("Ready.");
    status.close();
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(inputReleases, 0);
    status.show();
    EXPECT_EQ(status.text(), "");
    EXPECT_TRUE(textView()->toPlainText().isEmpty());
}

TEST_F(StatusWindowTest, AClickIntoTheTextMovesTheFocusToClose) {
    status.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&status));
    textView()->setFocus();
    QTest::mouseClick(textView()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(closeButton()->hasFocus());
}

// Owned by the main window, it stays a window of its own (above its owner) and centres over it.
TEST(OwnedStatusWindowTest, IsAWindowOfItsOwnCentredOverItsOwner) {
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    auto* status = new StatusWindow(&owner);
    EXPECT_TRUE(status->isWindow());
    EXPECT_EQ(status->parentWidget(), &owner);
    status->show();
    status->centreOverMain();
    const QPoint ownerCentre = owner.frameGeometry().center();
    const QPoint statusCentre = status->frameGeometry().center();
    EXPECT_LE(std::abs(ownerCentre.x() - statusCentre.x()), 1);
    EXPECT_LE(std::abs(ownerCentre.y() - statusCentre.y()), 1);
}

} // namespace
} // namespace zkt
