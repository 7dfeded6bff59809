#pragma once
// "Test MIDI Connection": runs the connection test (link/link_check.h) on the chosen ports
// and shows, per message length, what came back, the MCUs counted and the verdict. The
// program hands the dialog its ticks and received messages while a test runs.

#include "link/clock.h"
#include "link/link_check.h"
#include "link/midi_port.h"

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

// How the dialog gets hold of the chosen ports and gives them back.
struct LinkCheckPorts {
    // Opens them; the text says why they could not be opened.
    std::function<std::optional<std::string>()> open;
    std::function<void()> release;
    // "MIDI In: ..., MIDI Out: ..."
    std::function<QString()> describe;
};

class LinkCheckDialog : public QDialog {
    Q_OBJECT
public:
    LinkCheckDialog(MidiPort& port, const Clock& clock, LinkCheckPorts ports, QWidget* owner);

    // Shows the dialog over its owner, ready to start.
    void present();
    void startTest();
    bool isRunning() const { return m_check != nullptr; }
    // While a test runs: the 100 ms tick, and the received messages.
    void tick();
    void drain();

protected:
    void done(int result) override;

private:
    void showProgress();
    void finishTest();
    void stopTest();
    // Lost is only known once the test is over; until then a message may still be on its way.
    void fillResults(const LinkReport& report, bool final);

    MidiPort& m_port;
    const Clock& m_clock;
    LinkCheckPorts m_ports;
    std::unique_ptr<LinkCheck> m_check;
    QLabel* m_portsLabel;
    QProgressBar* m_progress;
    QTableWidget* m_results;
    QLabel* m_mcus;
    QLabel* m_verdict;
    QPushButton* m_start;
};

} // namespace zkt
