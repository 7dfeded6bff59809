#pragma once
// "Test MIDI Connection": starts the organ session's connection test (link/link_check_run.h) on
// the chosen ports and shows, per message length, what came back, the MCUs counted and the
// verdict. The session runs the test; the dialog draws it after each tick and received message.

#include "link/link_check_run.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace zkt {

class LinkCheckDialog : public QDialog {
    Q_OBJECT
public:
    // describePorts: "MIDI In: ...\nMIDI Out: ...".
    LinkCheckDialog(LinkCheckRun& run, std::function<QString()> describePorts, QWidget* owner);

    // Shows the dialog over its owner, ready to start.
    void present();
    void startTest();
    bool isRunning() const { return m_run.running(); }
    // Draws the test as it stands; at its end, its verdict.
    void showProgress();

protected:
    void done(int result) override;

private:
    void finishTest();
    void stopTest();
    // Lost is only known once the test is over; until then a message may still be on its way.
    void fillResults(const LinkReport& report, bool final);

    LinkCheckRun& m_run;
    std::function<QString()> m_describePorts;
    // A test this dialog started and has not yet shown the end of.
    bool m_showing = false;
    QLabel* m_portsLabel;
    QProgressBar* m_progress;
    QTableWidget* m_results;
    QLabel* m_mcus;
    QLabel* m_verdict;
    QPushButton* m_start;
};

} // namespace zkt
