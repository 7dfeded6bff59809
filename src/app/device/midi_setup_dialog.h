#pragma once
// "MIDI I/O Setup": the user picks one input and one output device. List positions are what
// the settings file has always stored (input 0 = none, k = device k - 1; output 0 = none,
// 1 = the system's default output, k >= 2 = device k - 2); the device's label is stored too,
// and decides which device is meant when the lists have changed. The lists follow devices
// coming and going while the dialog is open.

#include "link/midi_port.h"
#include "link/midi_selection.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace zkt {

class StatusWindow;

class MidiSetupDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int rescanIntervalMs = 1000;

    MidiSetupDialog(MidiPort& port, MidiSelection& selection, StatusWindow& status,
                    std::function<void(const std::string&)> log, QWidget* owner);

    // Fills the lists afresh, shows the dialog modally and answers whether it ended with Cancel.
    // portsNeeded: a command waits for both ports; the dialog says so and OK waits for them.
    bool runModal(bool portsNeeded = false);
    // Lists the devices again, keeping what is chosen where it is still there.
    void rescan();

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Chosen {
        int position = 0;
        std::string label;
    };

    void fillLists(const Chosen& input, const Chosen& output);
    void showMissing(const std::string& missingInput, const std::string& missingOutput);
    void allowOk();
    Chosen chosen(const QComboBox& list, int firstDevice) const;
    void accept() override;
    void reject() override;

    MidiPort& m_port;
    MidiSelection& m_selection;
    StatusWindow& m_status;
    std::function<void(const std::string&)> m_log;
    QComboBox* m_inputs;
    QComboBox* m_outputs;
    QLabel* m_missing;
    QLabel* m_why;
    QPushButton* m_ok;
    bool m_portsNeeded = false;
    QTimer m_rescanTimer;
    // What the user wants, kept while it is not connected so that it is chosen when it appears.
    Chosen m_wantedInput;
    Chosen m_wantedOutput;
    std::vector<std::string> m_inputLabels;
    std::vector<std::string> m_outputLabels;
    bool m_reportedNoDevice = false;
};

} // namespace zkt
