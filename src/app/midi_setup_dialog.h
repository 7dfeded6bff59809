#pragma once
// "MIDI I/O Setup": the user picks one input and one output device. List positions are
// what the selection stores: input 0 = none, k = device k - 1; output 0 = none, 1 = the
// system's default output, k >= 2 = device k - 2.

#include "link/midi_port.h"
#include "link/midi_selection.h"

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;

namespace zkt {

class StatusWindow;

class MidiSetupDialog : public QDialog {
    Q_OBJECT
public:
    MidiSetupDialog(MidiPort& port, MidiSelection& selection, StatusWindow& status,
                    std::function<void(const std::string&)> log, QWidget* owner);

    // Fills the lists afresh (devices come and go), shows the dialog modally and answers
    // whether it ended with Cancel.
    bool runModal();

    static QString defaultOutputName() { return QStringLiteral("Default MIDI output"); }

protected:
    void changeEvent(QEvent* event) override;

private:
    void fillLists();
    void accept() override;
    void reject() override;

    MidiPort& m_port;
    MidiSelection& m_selection;
    StatusWindow& m_status;
    std::function<void(const std::string&)> m_log;
    QComboBox* m_inputs;
    QComboBox* m_outputs;
};

} // namespace zkt
