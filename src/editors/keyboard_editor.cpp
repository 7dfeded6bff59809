#include "editors/keyboard_editor.h"

#include "editors/console_name_input.h"
#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/carried_values.h"
#include "widgets/dialog_placement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zkt {

namespace {

constexpr int topOfByteList = 127;   // transposition and velocity lists run 127 down to 0
constexpr int topOfChannelList = 16; // the archive channel list runs 16 down to 1
constexpr std::uint8_t velocityOptionBit = 0x80;
constexpr std::uint8_t velocityValueBits = 0x7F;
constexpr int analogInputDisabled = 0; // position of "Disabled" in an analog input list
constexpr int firstInputPosition = 1;  // position of "Input 1"
constexpr int volumePosition = 0;      // position of "Volume (7)"
constexpr std::uint8_t noArchiveInput = 3;

const QString chosenTabStyle = QStringLiteral("QPushButton { background-color: rgb(204, 255, 153); }");
const QString otherTabStyle = QStringLiteral("QPushButton { background-color: white; }");

bool bitIsSet(unsigned value, int bit) {
    return ((value >> bit) & 1U) != 0;
}

// The shown number of the selected entry of a list running down from top; fallback when
// nothing is selected (a stored value the list had no entry for).
int numberFromTop(const QComboBox& list, int top, int fallback) {
    return list.currentIndex() == noSelection ? fallback : top - list.currentIndex();
}

// The manual number in the signed number form: a blank before a number that is not negative.
QString signedNumber(int number) {
    return number < 0 ? QString::number(number) : QStringLiteral(" %1").arg(number);
}

} // namespace

KeyboardEditor::KeyboardEditor(ConfigModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("frmMIDIChannels"));
    setWindowTitle(QStringLiteral("Keyboard Settings"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_lblMIDIChannels = newBoldLabel(*this, QStringLiteral("Manual #?"));
    m_lblMIDIChannels->setObjectName(QStringLiteral("lblMIDIChannels"));
    layout->addWidget(m_lblMIDIChannels);
    m_txtManualName =
        newConsoleNameInput(*this, QStringLiteral("txtManualName"), QStringLiteral("Name of the manual"));
    m_txtManualName->setPlaceholderText(QStringLiteral("As the organist calls it, e.g. Great, Swell, Pedal"));
    layout->addLayout(newCaptionedRow(*this, QStringLiteral("&Name:"), *m_txtManualName));
    m_pages = buildKeyboardPages(*this, *layout);

    const SaveCancelButtons buttons = addSaveCancelButtons(*this, *layout);
    m_lblSaveRefused = buttons.lblSaveRefused;

    for (int c = 0; c < channelsPerManual; ++c) {
        const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
        connect(row.chkChannel, &QCheckBox::toggled, this,
                [this, c](bool on) { setChannelRowEnabled(c, on); });
        connect(row.chkVelocity, &QCheckBox::toggled, row.cboVelocity,
                [list = row.cboVelocity](bool fixedOff) { list->setEnabled(!fixedOff); });
        connect(row.cboAnalogInput, &QComboBox::currentIndexChanged, this,
                [this, c] { updateControllerEnabled(c); });
    }
    for (int page = 0; page < keyboardPageCount; ++page) {
        connect(m_pages.tabMidiChannels[static_cast<std::size_t>(page)], &QPushButton::clicked, this,
                [this, page] { choosePage(page); });
    }
    connect(buttons.cmdOK, &QPushButton::clicked, this, &KeyboardEditor::save);
    choosePage(channelSettingsPage);
}

void KeyboardEditor::editKeyboard(int manualIndex) {
    if (prepare(manualIndex)) {
        exec();
    }
}

bool KeyboardEditor::prepare(int manualIndex) {
    if (manualIndex < 0 || manualIndex >= maxManuals) {
        return false;
    }
    m_manualIndex = manualIndex;
    m_lblMIDIChannels->setText(QStringLiteral("Manual #") + signedNumber(manualIndex + 1));
    m_lblSaveRefused->hide();
    m_txtManualName->setText(
        QString::fromStdString(m_model.names.manualNames[static_cast<std::size_t>(manualIndex)]));
    loadGeneralSettings();

    const std::uint16_t channels = m_model.keyboards[static_cast<std::size_t>(manualIndex)].channels;
    for (int c = channelsPerManual - 1; c >= 0; --c) {
        const bool enabled = bitIsSet(channels, c);
        m_pages.rows[static_cast<std::size_t>(c)].chkChannel->setChecked(enabled);
        loadChannelRow(c);
        setChannelRowEnabled(c, enabled);
    }

    adjustSize();
    QPoint centre = ownerWindowCentre(*this);
    centre += QPoint(twipsToPixels(this, rightOfCentreTwips), twipsToPixels(this, belowCentreTwips));
    centreDialogAt(*this, centre);
    return true;
}

std::size_t KeyboardEditor::slotOf(int channelInManual) const {
    return static_cast<std::size_t>(channelSlotOf(m_manualIndex, channelInManual + 1));
}

void KeyboardEditor::loadGeneralSettings() {
    for (int c = 0; c < channelsPerManual; ++c) {
        const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
        const shoeInfo& shoe = m_model.shoes[slotOf(c)];
        row.cboMidiController->setCurrentIndex(shoe.volumeControl ? volumePosition : volumePosition + 1);
        selectPositionOrNone(*row.cboAnalogInput,
                             shoe.expressionOn ? shoe.channel + firstInputPosition : analogInputDisabled);
        updateControllerEnabled(c);
    }
    const keyboardInfo& keyboard = m_model.keyboards[static_cast<std::size_t>(m_manualIndex)];
    for (int bit = 0; bit < keyboardOptionCount; ++bit) {
        m_pages.chkKeyboardConfig[static_cast<std::size_t>(bit)]->setChecked(
            bitIsSet(keyboard.keyboardConfig, bit));
    }
    // Input n is shown at n + 1, none (3) as "Disabled"; anything else has no entry.
    selectPositionOrNone(*m_pages.cboArchiveAnalogInput[archiveInputCombo],
                         keyboard.archiveInput == noArchiveInput
                             ? analogInputDisabled
                             : keyboard.archiveInput + firstInputPosition);
    selectPositionOrNone(*m_pages.cboArchiveAnalogInput[archiveChannelCombo],
                         topOfChannelList - keyboard.archiveChannel);
}

void KeyboardEditor::loadChannelRow(int c) {
    const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
    const std::size_t slot = slotOf(c);
    selectPositionOrNone(*row.cboTransposeInput, topOfByteList - m_model.channelTranspose[slot]);
    const std::uint8_t velocity = m_model.channelVelocity[slot];
    const bool optionSet = (velocity & velocityOptionBit) != 0;
    row.chkVelocity->setChecked(optionSet);
    row.cboVelocity->setCurrentIndex(topOfByteList - (velocity & velocityValueBits));
}

void KeyboardEditor::setChannelRowEnabled(int c, bool enabled) {
    const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
    row.cboTransposeInput->setEnabled(enabled);
    row.chkVelocity->setEnabled(enabled);
    row.cboVelocity->setEnabled(enabled && !row.chkVelocity->isChecked());
}

void KeyboardEditor::updateControllerEnabled(int c) {
    const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
    row.cboMidiController->setEnabled(row.cboAnalogInput->currentIndex() != analogInputDisabled);
}

void KeyboardEditor::choosePage(int page) {
    m_chosenPage = page;
    m_pages.pageStack->setCurrentIndex(page);
    for (int tab = 0; tab < keyboardPageCount; ++tab) {
        m_pages.tabMidiChannels[static_cast<std::size_t>(tab)]->setStyleSheet(tab == page ? chosenTabStyle
                                                                                          : otherTabStyle);
    }
}

void KeyboardEditor::save() {
    if (const int channel = channelWithUncarriedVelocity(); channel != 0) {
        m_lblSaveRefused->setText(QString::fromStdString(velocityFaultInWords(channel)));
        m_lblSaveRefused->show();
        return;
    }
    saveChannelRows();
    saveGeneralSettings();
    m_model.names.manualNames[static_cast<std::size_t>(m_manualIndex)] =
        consoleNameFromInput(m_txtManualName->text());
    accept();
}

// The velocity byte an enabled row would store; none where its list shows nothing, which
// keeps the stored byte.
std::optional<std::uint8_t> KeyboardEditor::velocityToStore(int c) const {
    const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
    if (row.cboVelocity->currentIndex() == noSelection) {
        return std::nullopt;
    }
    const int value = topOfByteList - row.cboVelocity->currentIndex();
    return static_cast<std::uint8_t>(value | (row.chkVelocity->isChecked() ? velocityOptionBit : 0));
}

int KeyboardEditor::channelWithUncarriedVelocity() const {
    for (int c = 0; c < channelsPerManual; ++c) {
        const auto velocity = velocityToStore(c);
        if (m_pages.rows[static_cast<std::size_t>(c)].chkChannel->isChecked() && velocity &&
            !velocityIsCarried(*velocity)) {
            return c + 1;
        }
    }
    return 0;
}

void KeyboardEditor::saveChannelRows() {
    std::uint16_t mask = 0;
    for (int c = 0; c < channelsPerManual; ++c) {
        const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
        if (!row.chkChannel->isChecked()) {
            continue; // a disabled channel keeps its transposition and velocity
        }
        mask = static_cast<std::uint16_t>(mask | (1U << c));
        const std::size_t slot = slotOf(c);
        m_model.channelTranspose[slot] = static_cast<std::uint8_t>(
            numberFromTop(*row.cboTransposeInput, topOfByteList, m_model.channelTranspose[slot]));
        if (const auto velocity = velocityToStore(c)) {
            m_model.channelVelocity[slot] = *velocity;
        }
    }
    m_model.keyboards[static_cast<std::size_t>(m_manualIndex)].channels = mask;
}

void KeyboardEditor::saveGeneralSettings() {
    for (int c = 0; c < channelsPerManual; ++c) {
        const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
        shoeInfo& shoe = m_model.shoes[slotOf(c)];
        const int input = row.cboAnalogInput->currentIndex();
        if (input == analogInputDisabled) {
            shoe.expressionOn = false;
        } else if (input != noSelection) {
            shoe.expressionOn = true;
            shoe.channel = static_cast<std::uint8_t>(input - firstInputPosition);
        }
        shoe.volumeControl = row.cboMidiController->currentIndex() == volumePosition;
    }
    keyboardInfo& keyboard = m_model.keyboards[static_cast<std::size_t>(m_manualIndex)];
    unsigned options = 0;
    for (int bit = 0; bit < keyboardOptionCount; ++bit) {
        if (m_pages.chkKeyboardConfig[static_cast<std::size_t>(bit)]->isChecked()) {
            options |= 1U << bit;
        }
    }
    keyboard.keyboardConfig = static_cast<std::uint8_t>(options);
    const int archiveInput = m_pages.cboArchiveAnalogInput[archiveInputCombo]->currentIndex();
    if (archiveInput == analogInputDisabled) {
        keyboard.archiveInput = noArchiveInput;
    } else if (archiveInput != noSelection) {
        keyboard.archiveInput = static_cast<std::uint8_t>(archiveInput - firstInputPosition);
    }
    keyboard.archiveChannel = static_cast<std::uint8_t>(numberFromTop(
        *m_pages.cboArchiveAnalogInput[archiveChannelCombo], topOfChannelList, keyboard.archiveChannel));
}

} // namespace zkt
