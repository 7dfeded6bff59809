#include "app/midi_setup_dialog.h"

#include "app/status_window.h"
#include "widgets/dialog_placement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zkt {

namespace {

// Entries are numbered by their position in the list, the placeholder being 0.
QString numberedEntry(int position, const std::string& name) {
    return QStringLiteral("#%1: %2").arg(position).arg(QString::fromStdString(name));
}

void showSelection(QComboBox& list, int selection) {
    list.setCurrentIndex(selection >= 0 && selection < list.count() ? selection : 0);
}

} // namespace

MidiSetupDialog::MidiSetupDialog(MidiPort& port, MidiSelection& selection, StatusWindow& status,
                                 std::function<void(const std::string&)> log, QWidget* owner)
    : QDialog(owner), m_port(port), m_selection(selection), m_status(status), m_log(std::move(log)) {
    setObjectName(QStringLiteral("frmMidiSetup"));
    setWindowTitle(QStringLiteral("MIDI I/O Setup"));

    m_inputs = new QComboBox(this);
    m_inputs->setObjectName(QStringLiteral("ComboMidiIn"));
    m_outputs = new QComboBox(this);
    m_outputs->setObjectName(QStringLiteral("ComboMidiOut"));
    for (QComboBox* list : {m_inputs, m_outputs}) {
        list->setMinimumContentsLength(36);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("MIDI In:"), m_inputs);
    form->addRow(QStringLiteral("MIDI Out:"), m_outputs);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CmdOk"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &MidiSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MidiSetupDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

bool MidiSetupDialog::runModal() {
    fillLists();
    adjustSize();
    if (parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    m_status.centreOver(this);
    exec();
    return m_selection.midiSetupCancelled;
}

void MidiSetupDialog::fillLists() {
    m_outputs->clear();
    m_inputs->clear();
    m_outputs->addItem(QStringLiteral("[Choose a MIDI out device]"));
    m_inputs->addItem(QStringLiteral("[Choose a MIDI in device]"));
    try {
        const std::vector<std::string> outputs = m_port.outputNames();
        if (outputs.empty())
            throw MidiError("no MIDI output device");
        // Device -1 is the system's default output.
        m_outputs->addItem(numberedEntry(m_outputs->count(), defaultOutputName().toStdString()));
        for (const std::string& name : outputs)
            m_outputs->addItem(numberedEntry(m_outputs->count(), name));
        if (m_selection.savedMidiOut >= defaultOutputSelection &&
            m_selection.savedMidiOut < m_outputs->count())
            m_selection.midiOutSelection = m_selection.savedMidiOut;
        showSelection(*m_outputs, m_selection.midiOutSelection);

        const std::vector<std::string> inputs = m_port.inputNames();
        if (inputs.empty())
            throw MidiError("no MIDI input device");
        for (const std::string& name : inputs)
            m_inputs->addItem(numberedEntry(m_inputs->count(), name));
        if (m_selection.savedMidiIn >= 1 && m_selection.savedMidiIn < m_inputs->count())
            m_selection.midiInSelection = m_selection.savedMidiIn;
        showSelection(*m_inputs, m_selection.midiInSelection);
    } catch (const MidiError&) {
        // The dialog stays usable with the entries added so far.
        QMessageBox::information(this, QStringLiteral("ZKTConfig"),
                                 QStringLiteral("MIDI I/O Error... you need to configure a MIDI card to use "
                                                "this program."));
        if (m_log)
            m_log("No MIDI Card present.");
    }
}

void MidiSetupDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_status.hide();
}

void MidiSetupDialog::accept() {
    m_selection.midiSetupCancelled = false;
    m_selection.midiInSelection = static_cast<std::int16_t>(m_inputs->currentIndex());
    m_selection.savedMidiIn = m_selection.midiInSelection;
    m_selection.midiOutSelection = static_cast<std::int16_t>(m_outputs->currentIndex());
    m_selection.savedMidiOut = m_selection.midiOutSelection;
    QDialog::accept();
}

void MidiSetupDialog::reject() {
    m_selection.midiSetupCancelled = true;
    m_status.hide();
    QDialog::reject();
}

} // namespace zkt
