#include "app/shell/splash_window.h"

#include "i18n/tr.h"

#include "app/mainwindow/program_version.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace zkt {

SplashWindow::SplashWindow(int showMs, QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("ZKTConfig"));
    setFixedSize(twipsToPixels(this, 6000), twipsToPixels(this, 3300));

    auto* title = new QLabel(QStringLiteral("ZKTConfig"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* subtitle =
        new QLabel(QString::fromStdString(zkt::tr("Configuration for the ZKT organ MIDI encoder")), this);
    auto* version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    for (QLabel* label : {title, subtitle, version}) {
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch(1);
    layout->addWidget(version);
    layout->addStretch(1);

    setFocusPolicy(Qt::StrongFocus);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::finish);
    m_timer.start(showMs);
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    finish();
}

void SplashWindow::keyPressEvent(QKeyEvent*) {
    finish();
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Under a window manager a splash is not given the focus by itself; it closes on a key.
    activateWindow();
    setFocus();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient wood(0, 0, 0, height());
    wood.setColorAt(0.0, QColor(92, 52, 28));
    wood.setColorAt(1.0, QColor(40, 20, 10));
    painter.fillRect(rect(), wood);
    // A row of organ pipes along the top edge.
    painter.setRenderHint(QPainter::Antialiasing);
    const int pipes = 15;
    const qreal pitch = width() / qreal(pipes);
    for (int i = 0; i < pipes; ++i) {
        const qreal distanceFromCentre = std::abs(i - pipes / 2);
        const qreal pipeHeight = height() * (0.34 - 0.035 * distanceFromCentre);
        const QRectF pipe(i * pitch + pitch * 0.2, 8, pitch * 0.6, pipeHeight);
        QLinearGradient metal(pipe.topLeft(), pipe.topRight());
        metal.setColorAt(0.0, QColor(150, 150, 150));
        metal.setColorAt(0.5, QColor(235, 235, 235));
        metal.setColorAt(1.0, QColor(120, 120, 120));
        painter.setBrush(metal);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(pipe, 3, 3);
    }
}

void SplashWindow::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_timer.stop();
    hide();
    emit finished();
}

} // namespace zkt
