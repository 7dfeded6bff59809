#pragma once
// The small progress window of the file and device commands. It keeps the text the
// callers write, with CR LF between lines as the callers compose it, and shows it with the
// newest line in view.

#include "link/transfer_ui.h"

#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace zkt {

class StatusWindow : public QWidget, public StatusSink {
    Q_OBJECT
public:
    // A window of its own, owned by mainWindow (when given), so that it stays above it and
    // "centreOverMain" places it over it.
    explicit StatusWindow(QWidget* mainWindow = nullptr);

    // Run by "Close" before the window hides (the device link releases its input).
    void setCloseInputAction(std::function<void()> closeInput) { m_closeInput = std::move(closeInput); }
    void centreOver(const QWidget* owner);

    void setCaption(const std::string& caption) override;
    void replaceText(const std::string& text) override;
    void appendText(const std::string& text) override;
    std::string text() const override { return m_text; }
    void centreOverMain() override;
    void show() override { QWidget::show(); }
    void hide() override { QWidget::hide(); }
    bool isVisible() const override { return QWidget::isVisible(); }
    // Shows "Cancel" (and lets Escape press it) while the transfer can be cancelled.
    void setCancellable(bool cancellable) override;

signals:
    void cancelRequested();

protected:
    // The close box: the window is gone with its text, and the next use starts empty.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeClicked();
    void showText();

    QPlainTextEdit* m_textView;
    QPushButton* m_closeButton;
    QPushButton* m_cancelButton;
    std::string m_text;
    std::function<void()> m_closeInput;
};

} // namespace zkt
