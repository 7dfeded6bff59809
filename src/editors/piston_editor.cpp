#include "editors/piston_editor.h"

#include "editors/console_name_input.h"
#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/carried_values.h"
#include "model/function_group_rules.h"
#include "model/piston_regrouping.h"
#include "model/vocabulary.h"
#include "widgets/dialog_placement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zkt {

namespace {

constexpr int larkmoorGroup = static_cast<int>(FunctionGroup::larkmoorPiston);
constexpr int noNumListShown = numListCount - 1; // also the first NUM list number that is never filled
constexpr int firstPistonInManual = 0;
constexpr int lastPistonInManual = pistonsPerManual - 1;
constexpr int pistonButtonCount = maxManuals * pistonsPerManual;

bool isKnownGroup(int group) {
    return group >= 0 && group < functionGroupCount;
}

std::int16_t asField(int value) {
    return static_cast<std::int16_t>(value);
}

// No selection stands for a stored value the list has no entry for: the field keeps it.
void storePosition(const QComboBox& list, std::int16_t& field) {
    if (list.currentIndex() != noSelection) {
        field = asField(list.currentIndex());
    }
}

} // namespace

PistonEditor::PistonEditor(ConfigModel& model, SavedHandler onSaved, QWidget* parent)
    : QDialog(parent), m_model(model), m_onSaved(std::move(onSaved)), m_numListShown(noNumListShown) {
    setObjectName(QStringLiteral("frmPiston"));
    setWindowTitle(QStringLiteral("Thumb Piston Assignment"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_lblPiston = newBoldLabel(*this, QStringLiteral("Thumb piston location:"));
    m_lblPiston->setObjectName(QStringLiteral("lblPiston"));
    layout->addWidget(m_lblPiston);

    m_txtNote = new QLineEdit(this);
    m_txtNote->setObjectName(QStringLiteral("txtNote"));
    m_txtNote->setReadOnly(true);
    m_txtNote->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_txtNote);
    m_txtLabel =
        newConsoleNameInput(*this, QStringLiteral("txtLabel"), QStringLiteral("Label of the piston"));
    m_txtLabel->setPlaceholderText(QStringLiteral("As on the console, e.g. General 5"));
    layout->addLayout(newCaptionedRow(*this, QStringLiteral("&Label:"), *m_txtLabel));

    layout->addWidget(new QLabel(QStringLiteral("What do you want this thumb piston to do?"), this));
    auto* panelArea = new QGridLayout;
    m_panels = buildPistonPanels(*this, *panelArea);
    layout->addWidget(m_panels.cboFunction);
    layout->addSpacing(6);
    layout->addLayout(panelArea);
    layout->addStretch(1);

    const SaveCancelButtons buttons = addSaveCancelButtons(*this, *layout);
    m_lblSaveRefused = buttons.lblSaveRefused;
    const QMargins margins = layout->contentsMargins();
    layout->addStrut(twipsToPixels(this, designWidthTwips) - margins.left() - margins.right());

    connect(m_panels.cboFunction, &QComboBox::currentIndexChanged, this, &PistonEditor::chooseGroup);
    connect(m_panels.cboType[larkmoorGroup], &QComboBox::currentIndexChanged, this,
            &PistonEditor::fillNumList);
    for (int row = 0; row < bankSelectRows; ++row) {
        QComboBox* list = m_panels.cboBankSel[static_cast<std::size_t>(row)];
        QCheckBox* box = m_panels.chkBankSel[static_cast<std::size_t>(row)];
        connect(box, &QCheckBox::toggled, list, &QWidget::setEnabled);
        connect(box, &QCheckBox::toggled, m_lblSaveRefused, &QWidget::hide);
        // From the start, not only after the first click: a piston newly switched to Bank
        // Select shows the rows as their boxes say.
        list->setEnabled(box->isChecked());
    }
    QComboBox* allNotesOffChannel = m_panels.cboMidiChannel[static_cast<int>(FunctionGroup::allNotesOff)];
    connect(m_panels.chkAllChannels, &QCheckBox::toggled, allNotesOffChannel,
            [allNotesOffChannel](bool all) { allNotesOffChannel->setEnabled(!all); });
    connect(buttons.cmdOK, &QPushButton::clicked, this, &PistonEditor::save);

    m_panels.cboFunction->setCurrentIndex(m_panels.cboFunction->count() - 1);
}

void PistonEditor::editPiston(int pistonIndex) {
    if (prepare(pistonIndex)) {
        exec();
    }
}

bool PistonEditor::prepare(int pistonIndex) {
    if (pistonIndex < 0 || pistonIndex >= pistonButtonCount) {
        return false;
    }
    m_pistonIndex = pistonIndex;
    const int pistonInManual = pistonIndex % pistonsPerManual;
    const int manualIndex = pistonIndex / pistonsPerManual;

    m_lblPiston->setText(
        QStringLiteral("Piston #%1 on Manual #%2").arg(pistonInManual + 1).arg(manualIndex + 1));
    if (pistonInManual == firstPistonInManual) {
        m_txtNote->setText(QStringLiteral("Usually the SET piston"));
    } else if (pistonInManual == lastPistonInManual) {
        m_txtNote->setText(QStringLiteral("Usually the General Cancel"));
    }
    m_txtNote->setVisible(pistonInManual == firstPistonInManual || pistonInManual == lastPistonInManual);
    m_txtLabel->setText(
        QString::fromStdString(m_model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)]));

    showRecord();
    placeOverManualRow(manualIndex);
    return true;
}

pistonInfo& PistonEditor::record() {
    return m_model.pistons[static_cast<std::size_t>(m_pistonIndex)];
}

void PistonEditor::showRecord() {
    const int group = record().functionGroup;
    const int shown = isKnownGroup(group) ? group : noSelection;
    {
        const QSignalBlocker quiet(*m_panels.cboFunction);
        m_panels.cboFunction->setCurrentIndex(shown);
    }
    // A group outside the vocabulary has no entry to show: the group list and every panel stay
    // blank, and "Save" stores nothing.
    chooseGroup(shown);
}

void PistonEditor::chooseGroup(int group) {
    m_lblSaveRefused->hide();
    showGroupPanel(group);
    if (isKnownGroup(group)) {
        loadInputs(startingAssignment(record(), group));
    }
}

void PistonEditor::loadInputs(const pistonInfo& piston) {
    const int group = piston.functionGroup;
    const auto g = static_cast<std::size_t>(group);
    const FunctionGroupRule& rule = functionGroupRule(static_cast<FunctionGroup>(group));
    if (m_panels.cboType[g] != nullptr) {
        selectPositionOrNone(*m_panels.cboType[g], piston.functionType);
    }
    if (rule.channel != ChannelInput::num) {
        selectFromEndOrNone(*m_panels.cboMidiChannel[g], piston.midiChannel);
    }
    if (m_panels.cboProgramChange[g] != nullptr) {
        selectFromEndOrNone(*m_panels.cboProgramChange[g], piston.programNumber);
    }
    if (rule.bankRows) {
        loadBankSelectRows(piston);
    }
    if (rule.allChannelsBox) {
        const bool allChannels = piston.bankSelProgramFlag;
        m_panels.chkAllChannels->setChecked(allChannels);
        m_panels.cboMidiChannel[g]->setEnabled(!allChannels);
    }
    if (rule.channel == ChannelInput::num) {
        loadNumSelection(piston);
    }
}

// Every row shows the record's value, checked or not, so that "Save" stores back what the
// record holds and checking a box offers the value the piston already has.
void PistonEditor::loadBankSelectRows(const pistonInfo& piston) {
    const std::array<bool, bankSelectRows> flags{piston.bankSelMSBFlag, piston.bankSelLSBFlag,
                                                     piston.bankSelProgramFlag};
    // The bank lists run down to 0, so they are addressed with value + 1.
    const std::array<int, bankSelectRows> fromEnd{piston.bankSelMSB + 1, piston.bankSelLSB + 1,
                                                      piston.programNumber};
    for (std::size_t row = 0; row < flags.size(); ++row) {
        m_panels.chkBankSel[row]->setChecked(flags[row]);
        selectFromEndOrNone(*m_panels.cboBankSel[row], fromEnd[row]);
    }
}

void PistonEditor::loadNumSelection(const pistonInfo& piston) {
    QComboBox& numList = *m_panels.cboMidiChannel[larkmoorGroup];
    const int caseIndex = m_panels.cboType[larkmoorGroup]->currentIndex();
    // A CASE without an entry has no NUM list either; showing another CASE's would mislead.
    if (caseIndex == noSelection || !fillNumList(caseIndex)) {
        numList.setCurrentIndex(noSelection);
        return;
    }
    selectPositionOrNone(numList, piston.midiChannel);
}

void PistonEditor::showGroupPanel(int group) {
    for (QWidget* panel : m_panels.fraFunction) {
        panel->setVisible(false);
    }
    if (isKnownGroup(group)) {
        m_panels.fraFunction[static_cast<std::size_t>(group)]->setVisible(true);
    }
}

bool PistonEditor::fillNumList(int caseIndex) {
    const std::vector<int>& numListOfCase = vocabulary().numListMap[larkmoorGroup];
    if (caseIndex < 0 || caseIndex >= static_cast<int>(numListOfCase.size())) {
        return false;
    }
    const int numList = numListOfCase[static_cast<std::size_t>(caseIndex)];
    if (numList < 0 || numList >= noNumListShown) {
        return false;
    }
    if (numList != m_numListShown) {
        m_numListShown = numList;
        showList(*m_panels.cboMidiChannel[larkmoorGroup],
                 fillListFromVocabulary(vocabulary().numLists[static_cast<std::size_t>(numList)], false));
    }
    return true;
}

void PistonEditor::placeOverManualRow(int manualIndex) {
    QPoint centre = ownerWindowCentre(*this);
    if (m_locateManualRow) {
        centre.setY(m_locateManualRow(manualIndex).center().y());
    }
    centre.ry() += twipsToPixels(this, belowManualRowTwips);
    adjustSize();
    centreDialogAt(*this, centre);
}

void PistonEditor::save() {
    const int group = m_panels.cboFunction->currentIndex();
    if (isKnownGroup(group)) {
        pistonInfo piston = record();
        const bool regrouped = group != piston.functionGroup;
        const FunctionGroupRule& rule = functionGroupRule(static_cast<FunctionGroup>(group));
        piston.functionGroup = asField(group);
        storeTypeAndChannel(rule, group, regrouped, piston);
        storeGroupValues(rule, group, piston);
        numberAsTheImageDoes(piston);
        if (const PistonFault fault = pistonFault(piston); fault != PistonFault::none) {
            m_lblSaveRefused->setText(QString::fromStdString(pistonFaultInWords(fault)));
            m_lblSaveRefused->show();
            return;
        }
        record() = piston;
    }
    // The label belongs to the piston on the console, whatever its group.
    m_model.names.pistonLabels[static_cast<std::size_t>(m_pistonIndex)] =
        consoleNameFromInput(m_txtLabel->text());
    if (m_onSaved) {
        m_onSaved(m_pistonIndex);
    }
    accept();
}

// A type or channel list the group never shows cannot have been changed by the user: it is
// stored only when the piston comes from another group, which loaded it from the piston.
void PistonEditor::storeTypeAndChannel(const FunctionGroupRule& rule, int group, bool regrouped,
                                       pistonInfo& piston) const {
    const auto g = static_cast<std::size_t>(group);
    if (group == 0) {
        if (regrouped) {
            piston.functionType = noSelection;
        }
    } else if (rule.typeListShown || regrouped) {
        storePosition(*m_panels.cboType[g], piston.functionType);
    }
    if (rule.channel == ChannelInput::num) {
        storePosition(*m_panels.cboMidiChannel[g], piston.midiChannel);
    } else if (rule.channel == ChannelInput::midiChannel || regrouped) {
        piston.midiChannel = asField(selectedValue(*m_panels.cboMidiChannel[g], piston.midiChannel));
    }
}

// The values beyond group, type and channel. A descending list with no selection leaves its
// field as it was; fields of other groups are never cleared.
void PistonEditor::storeGroupValues(const FunctionGroupRule& rule, int group, pistonInfo& piston) const {
    const auto fromTop = [](const QComboBox& list, int top, std::int16_t& field) {
        if (list.currentIndex() != noSelection) {
            field = asField(top - list.currentIndex());
        }
    };
    const auto g = static_cast<std::size_t>(group);
    if (m_panels.cboProgramChange[g] != nullptr) {
        fromTop(*m_panels.cboProgramChange[g], rule.valueRange.high, piston.programNumber);
    }
    if (rule.bankRows) {
        piston.bankSelMSBFlag = m_panels.chkBankSel[bankSelMsbRow]->isChecked();
        fromTop(*m_panels.cboBankSel[bankSelMsbRow], bankValueRange.high, piston.bankSelMSB);
        piston.bankSelLSBFlag = m_panels.chkBankSel[bankSelLsbRow]->isChecked();
        fromTop(*m_panels.cboBankSel[bankSelLsbRow], bankValueRange.high, piston.bankSelLSB);
        piston.bankSelProgramFlag = m_panels.chkBankSel[bankSelProgramRow]->isChecked();
        fromTop(*m_panels.cboBankSel[bankSelProgramRow], rule.valueRange.high, piston.programNumber);
    }
    if (rule.allChannelsBox) {
        piston.bankSelProgramFlag = m_panels.chkAllChannels->isChecked();
    }
}

} // namespace zkt
