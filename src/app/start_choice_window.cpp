#include "app/start_choice_window.h"

#include "app/clickable_label.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace zkt {

namespace {

struct ChoiceEntry {
    const char* labelName;
    const char* frameName;
    const char* text;
    int topTwips;
    void (StartChoiceWindow::*announce)();
};

const ChoiceEntry choiceEntries[] = {
    {"lblWizard", "shpWizard_0", "Load Current Settings from the ZKT", 1500,
     &StartChoiceWindow::loadFromDeviceChosen},
    {"lblLoad", "shpWizard_1", "Open Previously Saved ZKT Configuration", 2500,
     &StartChoiceWindow::openFileChosen},
};
constexpr int entryLeftTwips = 900;
constexpr int entryWidthTwips = 5400;
constexpr int entryHeightTwips = 600;

} // namespace

StartChoiceWindow::StartChoiceWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmChoice"));
    setWindowTitle(QStringLiteral("ZKTConfig"));
    setFixedSize(twipsToPixels(this, 7200), twipsToPixels(this, 4800));

    auto* heading = new QLabel(QStringLiteral("How would you like to start?"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    heading->setGeometry(twipsToPixels(this, entryLeftTwips), twipsToPixels(this, 500),
                         twipsToPixels(this, entryWidthTwips), twipsToPixels(this, 600));

    for (const ChoiceEntry& entry : choiceEntries) {
        const QRect place(twipsToPixels(this, entryLeftTwips), twipsToPixels(this, entry.topTwips),
                          twipsToPixels(this, entryWidthTwips), twipsToPixels(this, entryHeightTwips));
        auto* frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(entry.frameName));
        frame->setGeometry(place);
        frame->setStyleSheet(QStringLiteral("QFrame { border: 2px solid #f0d890; border-radius: 6px;"
                                            " background: rgba(255, 255, 255, 40); }"));
        auto* label = new ClickableLabel(QString::fromLatin1(entry.text), this);
        label->setObjectName(QString::fromLatin1(entry.labelName));
        label->setGeometry(place);
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent; font-weight: bold;"));
        label->raise();
        connect(label, &ClickableLabel::clicked, this,
                [this, announce = entry.announce] { choose(announce); });
    }

    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton->setObjectName(QStringLiteral("cmdExit"));
    exitButton->setGeometry(twipsToPixels(this, 5400), twipsToPixels(this, 3800), twipsToPixels(this, 1200),
                            twipsToPixels(this, 400));
    connect(exitButton, &QPushButton::clicked, this, &StartChoiceWindow::exitChosen);
}

void StartChoiceWindow::choose(void (StartChoiceWindow::*announce)()) {
    // The choice is made once; the window is hidden before the main window appears.
    hide();
    emit(this->*announce)();
}

void StartChoiceWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, width(), height());
    background.setColorAt(0.0, QColor(30, 50, 90));
    background.setColorAt(1.0, QColor(10, 20, 40));
    painter.fillRect(rect(), background);
}

} // namespace zkt
