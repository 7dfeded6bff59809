#include "app/device/midi_setup_dialog.h"

#include "i18n/tr.h"

#include "app/device/status_window.h"
#include "link/midi_setup_texts.h"
#include "link/port_names.h"
#include "link/port_resolution.h"
#include "widgets/dialog_placement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zkt {

namespace {

constexpr int firstInputPosition = 1;
constexpr int firstOutputPosition = 2;

// Entries are numbered by their position in the list, the placeholder being 0.
QString numberedEntry(int position, const std::string& name) {
    return QStringLiteral("#%1: %2").arg(position).arg(QString::fromStdString(name));
}

// The position of the label among the devices, or the remembered position when no label is
// known; 0 (the placeholder) when the remembered device is not there.
int positionOf(const std::vector<std::string>& labels, const std::string& label, int remembered,
               int firstDevice, int listSize) {
    if (!label.empty()) {
        const auto found = std::find(labels.begin(), labels.end(), label);
        return found == labels.end() ? 0 : firstDevice + static_cast<int>(found - labels.begin());
    }
    return remembered >= 0 && remembered < listSize ? remembered : 0;
}

std::vector<std::string> safely(const std::function<std::vector<std::string>()>& list) {
    try {
        return list();
    } catch (const MidiError&) {
        return {};
    }
}

} // namespace

MidiSetupDialog::MidiSetupDialog(MidiPort& port, MidiSelection& selection, StatusWindow& status,
                                 std::function<void(const std::string&)> log, QWidget* owner)
    : QDialog(owner), m_port(port), m_selection(selection), m_status(status), m_log(std::move(log)) {
    setObjectName(QStringLiteral("frmMidiSetup"));
    setWindowTitle(QString::fromStdString(zkt::midisetuptext::title()));

    m_inputs = new QComboBox(this);
    m_inputs->setObjectName(QStringLiteral("ComboMidiIn"));
    m_outputs = new QComboBox(this);
    m_outputs->setObjectName(QStringLiteral("ComboMidiOut"));
    for (QComboBox* list : {m_inputs, m_outputs}) {
        list->setMinimumContentsLength(36);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    m_missing = new QLabel(this);
    m_missing->setObjectName(QStringLiteral("lblMissing"));
    m_missing->setWordWrap(true);
    m_missing->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_missing->hide();
    m_why = new QLabel(
        QString::fromStdString(zkt::midisetuptext::prompt()), this);
    m_why->setObjectName(QStringLiteral("lblWhy"));
    m_why->setWordWrap(true);
    m_why->hide();

    auto* form = new QFormLayout;
    form->addRow(QString::fromStdString(zkt::midisetuptext::inputCaption()), m_inputs);
    form->addRow(QString::fromStdString(zkt::midisetuptext::outputCaption()), m_outputs);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* rescanButton =
        buttons->addButton(QString::fromStdString(zkt::tr("&Rescan")), QDialogButtonBox::ActionRole);
    rescanButton->setObjectName(QStringLiteral("CmdRescan"));
    m_ok = buttons->addButton(QString::fromStdString(zkt::tr("OK")), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("CmdOk"));
    m_ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromStdString(zkt::tr("Cancel")), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    connect(rescanButton, &QPushButton::clicked, this, &MidiSetupDialog::rescan);
    connect(m_inputs, &QComboBox::currentIndexChanged, this, [this] {
        m_wantedInput = chosen(*m_inputs, firstInputPosition);
        allowOk();
    });
    connect(m_outputs, &QComboBox::currentIndexChanged, this, [this] {
        m_wantedOutput = chosen(*m_outputs, firstOutputPosition);
        allowOk();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &MidiSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MidiSetupDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_why);
    layout->addLayout(form);
    layout->addWidget(m_missing);
    layout->addWidget(buttons);

    m_rescanTimer.setInterval(rescanIntervalMs);
    connect(&m_rescanTimer, &QTimer::timeout, this, &MidiSetupDialog::rescan);
}

bool MidiSetupDialog::runModal(bool portsNeeded) {
    m_portsNeeded = portsNeeded;
    m_why->setVisible(portsNeeded);
    m_reportedNoDevice = false;
    m_wantedInput = {m_selection.savedMidiIn, m_selection.inputName};
    m_wantedOutput = {m_selection.savedMidiOut, m_selection.outputName};
    fillLists(m_wantedInput, m_wantedOutput);
    allowOk();
    adjustSize();
    if (parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    m_status.centreOver(this);
    m_rescanTimer.start();
    exec();
    m_rescanTimer.stop();
    return m_selection.midiSetupCancelled;
}

void MidiSetupDialog::rescan() {
    fillLists(m_wantedInput, m_wantedOutput);
    allowOk();
}

// A command that needs the ports cannot go on with one of them left at "Choose".
void MidiSetupDialog::allowOk() {
    const bool bothChosen = m_inputs->currentIndex() > 0 && m_outputs->currentIndex() > 0;
    m_ok->setEnabled(!m_portsNeeded || bothChosen);
}

MidiSetupDialog::Chosen MidiSetupDialog::chosen(const QComboBox& list, int firstDevice) const {
    const int position = list.currentIndex();
    const std::vector<std::string>& labels = &list == m_inputs ? m_inputLabels : m_outputLabels;
    const int device = position - firstDevice;
    if (device >= 0 && device < static_cast<int>(labels.size()))
        return {position, labels[static_cast<std::size_t>(device)]};
    return {position, {}};
}

void MidiSetupDialog::fillLists(const Chosen& input, const Chosen& output) {
    const std::vector<std::string> outputs = safely([this] { return m_port.outputNames(); });
    const std::vector<std::string> inputs = safely([this] { return m_port.inputNames(); });
    m_outputLabels = portLabels(outputs);
    m_inputLabels = portLabels(inputs);

    const QSignalBlocker blockOutputs(m_outputs);
    const QSignalBlocker blockInputs(m_inputs);
    m_outputs->clear();
    m_inputs->clear();
    m_outputs->addItem(QString::fromStdString(zkt::midisetuptext::choosePlaceholder(false)));
    m_inputs->addItem(QString::fromStdString(zkt::midisetuptext::choosePlaceholder(true)));
    if (!outputs.empty())
        m_outputs->addItem(numberedEntry(m_outputs->count(), defaultOutputLabel(outputs)));
    for (const std::string& label : m_outputLabels)
        m_outputs->addItem(numberedEntry(m_outputs->count(), label));
    for (const std::string& label : m_inputLabels)
        m_inputs->addItem(numberedEntry(m_inputs->count(), label));

    const int outputPosition =
        positionOf(m_outputLabels, output.label, output.position, firstOutputPosition, m_outputs->count());
    const int inputPosition =
        positionOf(m_inputLabels, input.label, input.position, firstInputPosition, m_inputs->count());
    m_outputs->setCurrentIndex(outputPosition);
    m_inputs->setCurrentIndex(inputPosition);
    showMissing(inputPosition == 0 ? input.label : std::string(),
                outputPosition == 0 ? output.label : std::string());

    if ((inputs.empty() || outputs.empty()) && !std::exchange(m_reportedNoDevice, true)) {
        // The dialog stays usable with the entries there are.
        QMessageBox::information(
            this, QStringLiteral("ZKTConfig"),
            QString::fromStdString(zkt::tr("MIDI I/O Error... you need to configure a MIDI card to use "
                                           "this program.")));
        if (m_log)
            m_log("No MIDI Card present.");
    }
}

void MidiSetupDialog::showMissing(const std::string& missingInput, const std::string& missingOutput) {
    QStringList lines;
    for (const std::string& line : midisetuptext::missingDeviceLines(missingInput, missingOutput, false))
        lines << QString::fromStdString(line);
    m_missing->setText(lines.join(QLatin1Char('\n')));
    m_missing->setVisible(!lines.isEmpty());
}

void MidiSetupDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_status.dismiss();
}

void MidiSetupDialog::accept() {
    const Chosen input = chosen(*m_inputs, firstInputPosition);
    const Chosen output = chosen(*m_outputs, firstOutputPosition);
    m_selection.midiSetupCancelled = false;
    m_selection.midiInSelection = static_cast<std::int16_t>(input.position);
    m_selection.savedMidiIn = m_selection.midiInSelection;
    m_selection.inputName = input.label;
    m_selection.midiOutSelection = static_cast<std::int16_t>(output.position);
    m_selection.savedMidiOut = m_selection.midiOutSelection;
    m_selection.outputName = output.label;
    // The ports open afresh on the next message, on the devices chosen now.
    m_selection.portsOpen = false;
    QDialog::accept();
}

void MidiSetupDialog::reject() {
    m_selection.midiSetupCancelled = true;
    m_status.dismiss();
    QDialog::reject();
}

} // namespace zkt
