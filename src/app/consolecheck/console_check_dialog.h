#pragma once
// Options > Check the Console…: first what the configuration leaves ambiguous; then, while the
// organ session lends it the MIDI input, the console as the main window shows it, each manual's
// keys, pistons and shoes ticked off as they arrive, the organ's own pistons asked for one at a
// time and the faults as they happen; Finish ends it with the report, which can be saved as HTML
// or PDF, or printed. Closing the dialog ends a check that runs. Not modal: the main window can
// be looked at meanwhile, but loads and writes wait for the check.

#include "app/consolecheck/console_player.h"
#include "app/consolecheck/report_output.h"
#include "check/check_report.h"
#include "check/console_check.h"
#include "document/document.h"
#include "link/organ_session.h"

#include <QDialog>
#include <memory>
#include <span>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QVBoxLayout;

namespace zkt {

class ManualCheckView;

class ConsoleCheckDialog : public QDialog {
    Q_OBJECT
public:
    // folder: where the report is saved first; the last folder chosen afterwards.
    ConsoleCheckDialog(OrganSession& organ, const Clock& clock, const Document& document, ConsolePlayer player,
                       QString folder, QWidget* owner);
    ~ConsoleCheckDialog() override;

    // Shows the dialog over its owner: the check that runs, or else the warnings before one.
    void present();
    // Starts the check on the configuration as it is now; false, with the reason shown, when the
    // input cannot be had.
    bool startCheck();
    void skipAsked();
    void skipAllAsked();
    // Ends the check and shows its report.
    void finishCheck();
    bool isRunning() const { return m_check != nullptr && !m_check->finished(); }
    const ConsoleCheck* check() const { return m_check.get(); }
    // The finished check's report, once shown.
    const ReportPages& report() const { return m_report; }

    bool saveReportHtml(const QString& path);
    bool saveReportPdf(const QString& path);

    ManualCheckView* manualView(int manual) const;

protected:
    void done(int result) override;

private:
    enum class Page { before, during, report };

    void showPage(Page page);
    void fillWarnings();
    void buildManualViews();
    void take(std::span<const std::uint8_t> message);
    void tickCheck();
    // What the check says changed is drawn once the messages at hand have been taken.
    void drawSoon();
    void drawEvents();
    void drawFault(std::size_t index);
    void drawPrompt();
    void play(const ConsoleAction& action);
    void stopCheck();
    void askToSave(bool pdf);
    void print();

    OrganSession& m_organ;
    const Clock& m_clock;
    const Document& m_document;
    ConsolePlayer m_player;
    QString m_folder;
    std::unique_ptr<ConsoleCheck> m_check;
    CheckReportHeading m_heading;
    ReportPages m_report;
    std::vector<ManualCheckView*> m_views;
    bool m_drawPending = false;

    QStackedWidget* m_pages;
    QLabel* m_warnings;
    QLabel* m_refusal;
    QLabel* m_prompt;
    QLabel* m_instructions;
    QVBoxLayout* m_manuals;
    QLabel* m_faultsHeading;
    QListWidget* m_faults;
    QTextBrowser* m_reportView;
    QPushButton* m_start;
    QPushButton* m_skip;
    QPushButton* m_skipAll;
    QPushButton* m_finish;
    QPushButton* m_saveHtml;
    QPushButton* m_savePdf;
    QPushButton* m_print;
    QPushButton* m_again;
};

} // namespace zkt
