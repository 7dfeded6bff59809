#include "editors/piston_editor.h"

#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/function_group_rules.h"
#include "model/vocabulary.h"
#include "widgets/dialog_placement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// The descending lists have no entry for 0 or below: show none rather than what the list held
// from another piston. Values above the list's count keep the selection, as the shared
// routine does.
void selectFromEnd(QComboBox& list, int value) {
    if (value <= 0) {
        list.setCurrentIndex(noSelection);
        return;
    }
    setListIndexFromEnd(list, value);
}

std::int16_t asField(int value) {
    return static_cast<std::int16_t>(value);
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

    layout->addWidget(new QLabel(QStringLiteral("What do you want this thumb piston to do?"), this));
    auto* panelArea = new QGridLayout;
    m_panels = buildPistonPanels(*this, *panelArea);
    layout->addWidget(m_panels.cboFunction);
    layout->addSpacing(6);
    layout->addLayout(panelArea);
    layout->addStretch(1);

    const SaveCancelButtons buttons = addSaveCancelButtons(*this, *layout);
    const QMargins margins = layout->contentsMargins();
    layout->addStrut(twipsToPixels(this, designWidthTwips) - margins.left() - margins.right());

    connect(m_panels.cboFunction, &QComboBox::currentIndexChanged, this, &PistonEditor::showGroupPanel);
    connect(m_panels.cboType[larkmoorGroup], &QComboBox::currentIndexChanged, this,
            &PistonEditor::fillNumList);
    for (int row = 0; row < bankSelectRowCount; ++row) {
        QComboBox* list = m_panels.cboBankSel[static_cast<std::size_t>(row)];
        connect(m_panels.chkBankSel[static_cast<std::size_t>(row)], &QCheckBox::toggled, list,
                &QWidget::setEnabled);
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

    loadFromModel();
    placeOverManualRow(manualIndex);
    return true;
}

void PistonEditor::loadFromModel() {
    const pistonInfo& piston = m_model.pistons[static_cast<std::size_t>(m_pistonIndex)];
    const int group = piston.functionGroup;
    if (!isKnownGroup(group)) {
        // No entry to show: the group list and every panel stay blank, and "Save" stores nothing.
        m_panels.cboFunction->setCurrentIndex(noSelection);
        showGroupPanel(noSelection);
        return;
    }
    const auto g = static_cast<std::size_t>(group);
    m_panels.cboFunction->setCurrentIndex(group);
    showGroupPanel(group);

    const FunctionGroupRule& rule = functionGroupRule(static_cast<FunctionGroup>(group));
    if (rule.typeLoaded) {
        selectType(rule, group, piston.functionType);
    }
    if (group != 0 && rule.channel != ChannelInput::num) {
        selectFromEnd(*m_panels.cboMidiChannel[g], piston.midiChannel);
    }
    if (m_panels.cboProgramChange[g] != nullptr) {
        selectFromEnd(*m_panels.cboProgramChange[g], piston.programNumber);
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
        loadLarkmoorSelection(piston);
    }
}

void PistonEditor::loadBankSelectRows(const pistonInfo& piston) {
    const std::array<bool, bankSelectRowCount> flags{piston.bankSelMSBFlag, piston.bankSelLSBFlag,
                                                     piston.bankSelProgramFlag};
    // The bank lists run down to 0, so they are addressed with value + 1.
    const std::array<int, bankSelectRowCount> fromEnd{piston.bankSelMSB + 1, piston.bankSelLSB + 1,
                                                      piston.programNumber};
    for (std::size_t row = 0; row < flags.size(); ++row) {
        m_panels.chkBankSel[row]->setChecked(flags[row]);
        m_panels.cboBankSel[row]->setEnabled(flags[row]);
        const bool programUnknown = row == bankSelProgramRow && piston.programNumber <= 0;
        if (flags[row] && !programUnknown) {
            selectFromEnd(*m_panels.cboBankSel[row], fromEnd[row]);
        }
    }
}

void PistonEditor::loadLarkmoorSelection(const pistonInfo& piston) {
    QComboBox& numList = *m_panels.cboMidiChannel[larkmoorGroup];
    const int caseIndex = m_panels.cboType[larkmoorGroup]->currentIndex();
    if (caseIndex == noSelection) {
        // A CASE without an entry has no NUM list either; showing another CASE's would mislead.
        numList.setCurrentIndex(noSelection);
        return;
    }
    fillNumList(caseIndex);
    int num = piston.midiChannel;
    setListIndex(numList, num);
}

// A stored type the user has no entry for is shown as no selection rather than as whatever
// the list held from another piston.
void PistonEditor::selectType(const FunctionGroupRule& rule, int group, int functionType) {
    QComboBox& types = *m_panels.cboType[static_cast<std::size_t>(group)];
    int position = functionType;
    if (rule.typeListShown && position >= types.count()) {
        types.setCurrentIndex(noSelection);
        return;
    }
    setListIndex(types, position);
}

void PistonEditor::showGroupPanel(int group) {
    for (QWidget* panel : m_panels.fraFunction) {
        panel->setVisible(false);
    }
    if (isKnownGroup(group)) {
        m_panels.fraFunction[static_cast<std::size_t>(group)]->setVisible(true);
    }
}

void PistonEditor::fillNumList(int caseIndex) {
    const std::vector<int>& numListOfCase = vocabulary().numListMap[larkmoorGroup];
    if (caseIndex < 0 || caseIndex >= static_cast<int>(numListOfCase.size())) {
        return;
    }
    const int numList = numListOfCase[static_cast<std::size_t>(caseIndex)];
    if (numList < 0 || numList >= noNumListShown || numList == m_numListShown) {
        return;
    }
    m_numListShown = numList;
    showList(*m_panels.cboMidiChannel[larkmoorGroup],
             fillListFromVocabulary(vocabulary().numLists[static_cast<std::size_t>(numList)], false));
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
        pistonInfo& piston = m_model.pistons[static_cast<std::size_t>(m_pistonIndex)];
        const auto g = static_cast<std::size_t>(group);
        piston.functionGroup = asField(group);
        piston.functionType = asField(group == 0 ? noSelection : m_panels.cboType[g]->currentIndex());
        const FunctionGroupRule& rule = functionGroupRule(static_cast<FunctionGroup>(group));
        if (rule.channel == ChannelInput::num) {
            const int num = m_panels.cboMidiChannel[g]->currentIndex();
            if (num != noSelection) {
                piston.midiChannel = asField(num);
            }
        } else {
            piston.midiChannel = asField(selectedValue(*m_panels.cboMidiChannel[g], piston.midiChannel));
        }
        storeGroupValues(rule, group, piston);
    }
    if (m_onSaved) {
        m_onSaved(m_pistonIndex);
    }
    accept();
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
