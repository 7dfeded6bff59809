#include "app/shell/start_choice_window.h"

#include "i18n/tr.h"

#include "widgets/twips.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace zkt {

namespace {

struct ChoiceEntry {
    const char* name;
    const char* text;
    int topTwips;
    void (StartChoiceWindow::*announce)();
};

const ChoiceEntry choiceEntries[] = {
    {"lblWizard", untranslated("Load Current Settings from the ZKT"), 1500, &StartChoiceWindow::loadFromDeviceChosen},
    {"lblLoad", untranslated("Open Previously Saved ZKT Configuration"), 2500, &StartChoiceWindow::openFileChosen},
};
constexpr int entryLeftTwips = 900;
constexpr int entryWidthTwips = 5400;
constexpr int entryHeightTwips = 600;

// Framed in gold on the dark blue; the entry with the keyboard focus is lit and framed in white.
const QString entryStyle = QStringLiteral(
    "QPushButton { color: white; font-weight: bold; border: 2px solid #f0d890; border-radius: 6px;"
    " background: rgba(255, 255, 255, 40); }"
    "QPushButton:hover { background: rgba(255, 255, 255, 70); }"
    "QPushButton:focus { border: 3px solid white; background: rgba(255, 255, 255, 90); }"
    "QPushButton:pressed { background: rgba(255, 255, 255, 120); }");

} // namespace

StartChoiceWindow::StartChoiceWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmChoice"));
    setWindowTitle(QStringLiteral("ZKTConfig"));
    setFixedSize(twipsToPixels(this, 7200), twipsToPixels(this, 4800));

    auto* heading = new QLabel(QString::fromStdString(zkt::tr("How would you like to start?")), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    heading->setGeometry(twipsToPixels(this, entryLeftTwips), twipsToPixels(this, 500),
                         twipsToPixels(this, entryWidthTwips), twipsToPixels(this, 600));

    // Tab goes through the entries in this order; Enter or Space chooses the one with the focus.
    QPushButton* first = nullptr;
    for (const ChoiceEntry& entry : choiceEntries) {
        auto* button = new QPushButton(QString::fromStdString(translated(entry.text)), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setGeometry(twipsToPixels(this, entryLeftTwips), twipsToPixels(this, entry.topTwips),
                            twipsToPixels(this, entryWidthTwips), twipsToPixels(this, entryHeightTwips));
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(entryStyle);
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, announce = entry.announce] { choose(announce); });
        if (first == nullptr)
            first = button;
    }

    auto* exitButton = new QPushButton(QString::fromStdString(zkt::tr("E&xit")), this);
    exitButton->setObjectName(QStringLiteral("cmdExit"));
    exitButton->setGeometry(twipsToPixels(this, 5400), twipsToPixels(this, 3800), twipsToPixels(this, 1200),
                            twipsToPixels(this, 400));
    exitButton->setAutoDefault(true);
    connect(exitButton, &QPushButton::clicked, this, &StartChoiceWindow::exitChosen);
    first->setFocus();
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
