#include "app/device/status_window.h"

#include "i18n/tr.h"

#include "widgets/dialog_placement.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace zkt {

// A dialog to the window manager: it stays above the main window that owns it (a click on the
// main window must not bury the progress), without being modal.
StatusWindow::StatusWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Dialog) {
    setObjectName(QStringLiteral("frmStatus"));
    // Progress is no reason to take the keyboard from the main window, where the user may go
    // on working (Ctrl+Z right after an open, for one).
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(twipsToPixels(this, 6600), twipsToPixels(this, 3000));

    m_textView = new QPlainTextEdit(this);
    m_textView->setObjectName(QStringLiteral("txtStatus"));
    m_textView->setReadOnly(true);
    m_textView->viewport()->installEventFilter(this);

    m_closeButton = new QPushButton(QString::fromStdString(zkt::tr("Close")), this);
    m_closeButton->setObjectName(QStringLiteral("cmdClose"));
    connect(m_closeButton, &QPushButton::clicked, this, &StatusWindow::closeClicked);
    m_cancelButton = new QPushButton(QString::fromStdString(zkt::tr("Cancel")), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_cancelButton->setToolTip(QString::fromStdString(
        zkt::tr("Stop the transfer (Esc). A write finishes the manual it has begun.")));
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, &StatusWindow::cancelRequested);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_cancelButton, [this] {
        if (m_cancelButton->isVisible())
            emit cancelRequested();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_textView);
    layout->addLayout(buttons);
}

void StatusWindow::setCancellable(bool cancellable) {
    m_cancelButton->setVisible(cancellable);
}

void StatusWindow::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void StatusWindow::replaceText(const std::string& text) {
    m_heldOpen = false;
    m_text.replace(text);
    showText();
}

void StatusWindow::appendText(const std::string& text) {
    m_text.append(text);
    showText();
}

void StatusWindow::addLine(const std::string& line) {
    m_text.addLine(line);
    showText();
}

void StatusWindow::dismiss() {
    if (!isVisible())
        return;
    hide();
    emit closedByUser(false);
}

void StatusWindow::showText() {
    // The text widget breaks lines at LF; a CR left in would show as a stray glyph.
    QString shown = QString::fromStdString(m_text.text());
    shown.remove(QLatin1Char('\r'));
    m_textView->setPlainText(shown);
    m_textView->moveCursor(QTextCursor::End);
    m_textView->verticalScrollBar()->setValue(m_textView->verticalScrollBar()->maximum());
}

void StatusWindow::centreOver(const QWidget* owner) {
    if (owner == nullptr)
        return;
    zkt::centreOver(*this, *owner);
}

void StatusWindow::centreOverMain() {
    centreOver(parentWidget());
}

void StatusWindow::closeClicked() {
    m_heldOpen = false;
    hide();
    emit closedByUser(true);
}

void StatusWindow::closeEvent(QCloseEvent* event) {
    m_heldOpen = false;
    m_text.clear();
    m_textView->clear();
    QWidget::closeEvent(event);
    emit closedByUser(false);
}

bool StatusWindow::eventFilter(QObject* watched, QEvent* event) {
    // A click into the text must not leave a caret there.
    if (watched == m_textView->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_closeButton->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zkt
