#include "app/consolecheck/manual_check_view.h"

#include "app/mainwindow/piston_button_style.h"
#include "check/check_looks.h"
#include "check/check_report.h"
#include "check/check_texts.h"
#include "model/piston_rail.h"
#include "widgets/plain_tool_tip.h"
#include "widgets/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace zkt {

namespace {

using Kind = ConsoleSource::Kind;

constexpr QSize keyboardTwips(10215, 700);
constexpr QSize railTwips(10215, 435);
constexpr int pistonTopTwips = 120;
constexpr int pistonSizeTwips = 255;
constexpr int sideColumnTwips = 4800;
constexpr int highestValue = 127;

const char* const lookProperty = "look";
const char* const askedProperty = "asked";
const QColor tickedColour(175, 225, 175);
const QColor skippedColour(200, 200, 200);
const QColor litColour(255, 160, 0);

QString railStyleSheet(const QString& railName) {
    return QStringLiteral("QFrame#%1 { background: rgb(120, 70, 40); }"
                          "QPushButton { background-color: %2; border: 1px solid rgb(60, 30, 15);"
                          " border-radius: 2px; color: rgb(0, 80, 0); font-weight: bold; padding: 0px; }"
                          "QPushButton[look=\"waiting\"] { background-color: %3; }"
                          "QPushButton[look=\"ticked\"] { background-color: %4; }"
                          "QPushButton[look=\"skipped\"] { background-color: %5; border-style: dashed; }"
                          "QPushButton[look=\"lit\"] { background-color: %6; }"
                          "QPushButton[asked=\"true\"] { border: 3px solid %7; }")
        .arg(railName, unassignedPistonColour.name(), assignedPistonColour.name(), tickedColour.name(),
             skippedColour.name(), litColour.name(), focusFrameColour.name());
}

QSize toPixels(const QWidget* widget, const QSize& twips) {
    return {twipsToPixels(widget, twips.width()), twipsToPixels(widget, twips.height())};
}

// Sets a style property, and has the style sheet read it again where it changed.
void setStyleProperty(QPushButton& button, const char* name, const QVariant& value) {
    if (button.property(name) == value)
        return;
    button.setProperty(name, value);
    button.style()->unpolish(&button);
    button.style()->polish(&button);
}

} // namespace

ManualCheckView::ManualCheckView(const ConsoleCheck& check, int manual, QWidget* parent)
    : QFrame(parent), m_check(check), m_manual(manual) {
    const int manualIndex = manual - 1;
    setObjectName(QStringLiteral("fraCheckManual_%1").arg(manualIndex));
    setFrameShape(QFrame::StyledPanel);
    const ManualPlan& plan = check.plan().manual(manual);
    const ConsoleNames& names = check.plan().model().names;

    auto* title = new QLabel(QString::fromStdString(manualReport(check, manual).title), this);
    title->setObjectName(QStringLiteral("lblCheckManual_%1").arg(manualIndex));
    title->setTextFormat(Qt::PlainText);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    m_keyboard = new CheckKeyboard(plan.compass, this);
    m_keyboard->setObjectName(QStringLiteral("picCheckKeyboard_%1").arg(manualIndex));
    m_keyboard->setFixedSize(toPixels(this, keyboardTwips));
    connect(m_keyboard, &CheckKeyboard::keyPressed, this,
            [this](int key) { emit keyPressed(m_manual, key); });
    connect(m_keyboard, &CheckKeyboard::keyReleased, this,
            [this](int key) { emit keyReleased(m_manual, key); });

    auto* rail = new QFrame(this);
    rail->setObjectName(QStringLiteral("fraCheckRail_%1").arg(manualIndex));
    rail->setFixedSize(toPixels(this, railTwips));
    rail->setStyleSheet(railStyleSheet(rail->objectName()));
    for (int p = 1; p <= pistonsPerManual; ++p) {
        const int pistonIndex = pistonIndexOf(manualIndex, p - 1);
        auto* button = new QPushButton(rail);
        button->setObjectName(QStringLiteral("cmdCheckPiston_%1").arg(pistonIndex));
        button->setGeometry(twipsToPixels(this, pistonRailLeftTwips[static_cast<std::size_t>(p - 1)]),
                            twipsToPixels(this, pistonTopTwips), twipsToPixels(this, pistonSizeTwips),
                            twipsToPixels(this, pistonSizeTwips));
        button->setFocusPolicy(Qt::NoFocus);
        const ConsoleSource source{Kind::piston, manual, p};
        const std::string setTo = checktext::pistonSetTo(check.plan().model(), source);
        button->setToolTip(
            plainToolTip(check.plan().piston(source).check == PistonCheck::notChecked
                             ? QString::fromStdString(checktext::pistonNotChecked(names, source, setTo))
                             : QString::fromStdString(checktext::sourceName(names, source)) +
                                   QLatin1Char('\n') + QString::fromStdString(setTo)));
        connect(button, &QPushButton::pressed, this, [this, p] { emit pistonPressed(m_manual, p); });
        connect(button, &QPushButton::released, this, [this, p] { emit pistonReleased(m_manual, p); });
        m_pistons[static_cast<std::size_t>(p - 1)] = button;
    }

    auto* side = new QVBoxLayout;
    m_checklist = new QLabel(this);
    m_checklist->setObjectName(QStringLiteral("lblChecklist_%1").arg(manualIndex));
    m_checklist->setTextFormat(Qt::PlainText);
    m_checklist->setWordWrap(true);
    side->addWidget(m_checklist);
    for (const PlannedShoe& shoe : plan.shoes) {
        auto* line = new QLabel(this);
        line->setObjectName(QStringLiteral("lblShoe_%1_%2").arg(manualIndex).arg(shoe.input));
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
        auto* value = new QProgressBar(this);
        value->setObjectName(QStringLiteral("prgShoe_%1_%2").arg(manualIndex).arg(shoe.input));
        value->setRange(0, highestValue);
        value->setMaximumHeight(fontMetrics().height() + 4);
        side->addWidget(line);
        side->addWidget(value);
        m_shoeLines.push_back(line);
        m_shoeValues.push_back(value);
    }
    side->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0, 1, 2);
    layout->addWidget(m_keyboard, 1, 0);
    layout->addWidget(rail, 2, 0);
    layout->setRowStretch(3, 1);
    layout->addLayout(side, 1, 1, 3, 1);
    layout->setColumnMinimumWidth(1, twipsToPixels(this, sideColumnTwips));
    layout->setColumnStretch(1, 1);
    drawAll();
}

void ManualCheckView::drawAll() {
    drawKeys();
    drawPistons();
    drawShoes();
    drawChecklist();
}

void ManualCheckView::drawKeys() {
    const ManualProgress& progress = m_check.progress(m_manual);
    std::vector<CheckKeyboard::Look> looks;
    looks.reserve(progress.keys.size());
    for (const KeyProgress& key : progress.keys)
        looks.push_back(keyLook(key));
    m_keyboard->setLooks(std::move(looks));
}

void ManualCheckView::flashPiston(int piston) {
    ++m_flashes[static_cast<std::size_t>(piston - 1)];
    drawPiston(piston);
    QTimer::singleShot(pistonFlash, this, [this, piston] {
        --m_flashes[static_cast<std::size_t>(piston - 1)];
        drawPiston(piston);
    });
}

void ManualCheckView::drawPistons() {
    for (int p = 1; p <= pistonsPerManual; ++p)
        drawPiston(p);
}

void ManualCheckView::drawPiston(int piston) {
    const ConsoleSource source{Kind::piston, m_manual, piston};
    const PistonProgress& state = m_check.progress(m_manual).pistons.at(static_cast<std::size_t>(piston - 1));
    const PistonLook shown = pistonLook(m_check.plan().piston(source).check, state,
                                        m_flashes[static_cast<std::size_t>(piston - 1)] > 0);
    const char* look = shown == PistonLook::off       ? "off"
                       : shown == PistonLook::lit     ? "lit"
                       : shown == PistonLook::ticked  ? "ticked"
                       : shown == PistonLook::skipped ? "skipped"
                                                      : "waiting";
    QPushButton& button = *pistonButton(piston);
    setStyleProperty(button, lookProperty, QString::fromLatin1(look));
    setStyleProperty(button, askedProperty, m_check.asked() == source);
    button.setText(pistonTicked(state) ? QStringLiteral("\u2713") : QString());
}

void ManualCheckView::drawShoes() {
    const ManualProgress& progress = m_check.progress(m_manual);
    for (std::size_t i = 0; i < m_shoeValues.size(); ++i) {
        const ShoeProgress& shoe = progress.shoes.at(i);
        QProgressBar& bar = *m_shoeValues[i];
        bar.setValue(shoe.value.value_or(0));
        bar.setFormat(shoe.value ? QStringLiteral("%v") : QString());
    }
}

void ManualCheckView::drawChecklist() {
    const ManualReport report = manualReport(m_check, m_manual);
    // The report's checklist ends with one line per shoe, which stands above its value here.
    const std::size_t shoes = m_shoeLines.size();
    QStringList lines;
    for (std::size_t i = 0; i + shoes < report.checklist.size(); ++i)
        lines << QString::fromStdString(report.checklist[i]);
    m_checklist->setText(lines.join(QLatin1Char('\n')));
    for (std::size_t i = 0; i < shoes; ++i)
        m_shoeLines[i]->setText(
            QString::fromStdString(report.checklist.at(report.checklist.size() - shoes + i)));
}

void ManualCheckView::setPlayable(bool playable) {
    const Qt::CursorShape cursor = playable ? Qt::PointingHandCursor : Qt::ArrowCursor;
    m_keyboard->setCursor(cursor);
    for (QPushButton* button : m_pistons)
        button->setCursor(cursor);
}

} // namespace zkt
