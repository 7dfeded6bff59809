#pragma once
// The small progress window of the file and device commands. It keeps the text the
// callers write, lines separated by CR LF, and shows it with the newest line in view.

#include "link/status_text.h"

#include <QWidget>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace zkt {

class StatusWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, owned by mainWindow (when given), so that it stays above it and
    // "centreOverMain" places it over it.
    explicit StatusWindow(QWidget* mainWindow = nullptr);

    void centreOver(const QWidget* owner);
    void centreOverMain();

    void setCaption(const std::string& caption);
    void replaceText(const std::string& text);
    void appendText(const std::string& text);
    // Below the text there is, or as the whole text when there is none.
    void addLine(const std::string& line);
    const std::string& text() const { return m_text.text(); }
    // Shows "Cancel" (and lets Escape press it) while the transfer can be cancelled.
    void setCancellable(bool cancellable);
    // Put away for something else that needs the screen (the MIDI setup), as the user would.
    void dismiss();
    // What it shows now must be read: the end of a transfer does not put it away; the user does.
    void holdOpen() { m_heldOpen = true; }
    bool heldOpen() const { return m_heldOpen; }

signals:
    void cancelRequested();
    // The user put the window away: with "Close", which also releases the MIDI input, or with
    // the close box.
    void closedByUser(bool releaseInput);

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
    StatusText m_text;
    bool m_heldOpen = false;
};

} // namespace zkt
