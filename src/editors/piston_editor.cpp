#include "editors/piston_editor.h"

#include "editors/console_name_input.h"
#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/editor_texts.h"
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

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void drawCheck(QCheckBox& box, bool checked) {
    const QSignalBlocker quiet(box);
    box.setChecked(checked);
}

} // namespace

PistonEditor::PistonEditor(ConfigModel& model, SavedHandler onSaved, QWidget* parent)
    : QDialog(parent), m_model(model), m_onSaved(std::move(onSaved)) {
    setObjectName(QStringLiteral("frmPiston"));
    setWindowTitle(text(editortext::pistonTitle()));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_lblPiston = newBoldLabel(*this, text(editortext::pistonLocationUnknown()));
    m_lblPiston->setObjectName(QStringLiteral("lblPiston"));
    layout->addWidget(m_lblPiston);

    m_txtNote = new QLineEdit(this);
    m_txtNote->setObjectName(QStringLiteral("txtNote"));
    m_txtNote->setReadOnly(true);
    m_txtNote->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_txtNote);
    m_txtLabel =
        newConsoleNameInput(*this, QStringLiteral("txtLabel"), text(editortext::labelAccessibleName()));
    m_txtLabel->setPlaceholderText(text(editortext::labelPlaceholder()));
    layout->addLayout(newCaptionedRow(*this, text(editortext::labelCaption()), *m_txtLabel));

    layout->addWidget(new QLabel(text(editortext::functionQuestion()), this));
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
    connect(buttons.cmdOK, &QPushButton::clicked, this, &PistonEditor::save);
    connectInputs();

    // Until the first opening the inputs show the first piston, so that they are never empty.
    m_ownForm.emplace(m_model.pistons[0], 0, m_model.names.pistonLabels[0]);
    m_form = &*m_ownForm;
    draw();
}

void PistonEditor::connectInputs() {
    connect(m_panels.cboFunction, &QComboBox::currentIndexChanged, this,
            [this](int group) { change([group](PistonForm& form) { form.chooseGroup(group); }); });
    for (int g = 0; g < functionGroupCount; ++g) {
        const auto i = static_cast<std::size_t>(g);
        if (QComboBox* types = m_panels.cboType[i])
            connect(types, &QComboBox::currentIndexChanged, this, [this, g](int position) {
                changeOfGroup(g, [position](PistonForm& form) { form.chooseType(position); });
            });
        connect(m_panels.cboMidiChannel[i], &QComboBox::currentIndexChanged, this, [this, g](int position) {
            changeOfGroup(g, [position](PistonForm& form) { form.chooseChannel(position); });
        });
        if (QComboBox* values = m_panels.cboProgramChange[i])
            connect(values, &QComboBox::currentIndexChanged, this, [this, g](int position) {
                changeOfGroup(g, [position](PistonForm& form) { form.chooseValue(position); });
            });
    }
    constexpr int bankSelectGroup = static_cast<int>(FunctionGroup::bankSelect);
    for (int row = 0; row < bankSelectRows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        connect(m_panels.chkBankSel[r], &QCheckBox::toggled, this, [this, row](bool checked) {
            changeOfGroup(bankSelectGroup,
                          [row, checked](PistonForm& form) { form.checkBankRow(row, checked); });
        });
        connect(m_panels.cboBankSel[r], &QComboBox::currentIndexChanged, this, [this, row](int position) {
            changeOfGroup(bankSelectGroup,
                          [row, position](PistonForm& form) { form.chooseBankValue(row, position); });
        });
    }
    connect(m_panels.chkAllChannels, &QCheckBox::toggled, this, [this](bool all) {
        changeOfGroup(static_cast<int>(FunctionGroup::allNotesOff),
                      [all](PistonForm& form) { form.checkAllChannels(all); });
    });
}

void PistonEditor::change(const std::function<void(PistonForm&)>& edit) {
    // What drawing sets is not the user's choice.
    if (m_drawing)
        return;
    edit(*m_form);
    draw();
}

void PistonEditor::changeOfGroup(int g, const std::function<void(PistonForm&)>& edit) {
    if (m_form->functions().selected == g)
        change(edit);
}

void PistonEditor::edit(PistonForm& form, Store store) {
    showForm(form, std::move(store));
    exec();
    // The form is its holder's, and may be gone once the dialog is.
    m_form = &*m_ownForm;
}

bool PistonEditor::prepare(int pistonIndex) {
    if (!PistonForm::hasPiston(pistonIndex)) {
        return false;
    }
    const auto index = static_cast<std::size_t>(pistonIndex);
    m_ownForm.emplace(m_model.pistons[index], pistonIndex, m_model.names.pistonLabels[index]);
    showForm(*m_ownForm, [this] { return storeIntoModel(); });
    return true;
}

bool PistonEditor::storeIntoModel() {
    const PistonSaveOutcome outcome = m_form->save();
    if (!outcome.piston)
        return false;
    const auto index = static_cast<std::size_t>(m_form->pistonIndex());
    m_model.pistons[index] = *outcome.piston;
    m_model.names.pistonLabels[index] = outcome.label;
    return true;
}

void PistonEditor::showForm(PistonForm& form, Store store) {
    m_form = &form;
    m_store = std::move(store);
    const int pistonIndex = m_form->pistonIndex();
    m_lblPiston->setText(QString::fromStdString(m_form->location()));
    const std::string note = m_form->note();
    m_txtNote->setText(QString::fromStdString(note));
    m_txtNote->setVisible(!note.empty());
    m_txtLabel->setText(QString::fromStdString(m_form->labelShown()));
    draw();
    placeOverManualRow(pistonIndex / pistonsPerManual);
    if (auto* first = findChild<QWidget*>(QString::fromUtf8(PistonForm::openOn)))
        first->setFocus(Qt::OtherFocusReason);
}

void PistonEditor::draw() {
    m_drawing = true;
    drawList(*m_panels.cboFunction, m_form->functions());
    const int group = m_form->functions().selected;
    for (int g = 0; g < functionGroupCount; ++g)
        m_panels.fraFunction[static_cast<std::size_t>(g)]->setVisible(g == group);
    if (group != noSelection)
        drawPanel(group);
    const std::string& refusal = m_form->refusal();
    m_lblSaveRefused->setText(QString::fromStdString(refusal));
    m_lblSaveRefused->setVisible(!refusal.empty());
    m_drawing = false;
}

void PistonEditor::drawPanel(int group) {
    const auto g = static_cast<std::size_t>(group);
    const PistonPanelShape shape = *pistonPanelShape(group);
    const PistonPanel& panel = m_form->panel();
    if (QComboBox* types = m_panels.cboType[g]) {
        drawList(*types, panel.types);
        types->setVisible(shape.typeShown);
    }
    QComboBox& channels = *m_panels.cboMidiChannel[g];
    drawList(channels, panel.channels);
    channels.setVisible(shape.channel != ChannelInput::hidden);
    channels.setEnabled(m_form->channelEnabled());
    if (QComboBox* values = m_panels.cboProgramChange[g])
        drawList(*values, panel.values);
    if (shape.bankRows) {
        for (std::size_t row = 0; row < panel.bankRows.size(); ++row) {
            drawCheck(*m_panels.chkBankSel[row], panel.bankRows[row].checked);
            drawList(*m_panels.cboBankSel[row], panel.bankRows[row].values);
            m_panels.cboBankSel[row]->setEnabled(panel.bankRows[row].valuesEnabled());
        }
    }
    if (shape.allChannelsBox)
        drawCheck(*m_panels.chkAllChannels, panel.allChannels);
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
    m_form->typeLabel(m_txtLabel->text().toStdString());
    // A store may close the form it was given: nothing of it is read after a store that took it.
    const int pistonIndex = m_form->pistonIndex();
    if (!m_store()) {
        draw();
        return;
    }
    if (m_onSaved) {
        m_onSaved(pistonIndex);
    }
    accept();
}

} // namespace zkt
