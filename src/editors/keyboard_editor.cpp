#include "editors/keyboard_editor.h"

#include "editors/console_name_input.h"
#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/config_clipboard.h"
#include "model/editor_texts.h"
#include "widgets/dialog_placement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zkt {

namespace {

const QString chosenTabStyle = QStringLiteral("QPushButton { background-color: rgb(204, 255, 153); }");
const QString otherTabStyle = QStringLiteral("QPushButton { background-color: white; }");

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void drawCheck(QCheckBox& box, bool checked, bool enabled = true) {
    const QSignalBlocker quiet(box);
    box.setChecked(checked);
    box.setEnabled(enabled);
}

void drawChoice(QComboBox& combo, const ListItems& list, int selected, bool enabled = true) {
    ListItems shown = list;
    shown.selected = selected;
    drawList(combo, shown);
    combo.setEnabled(enabled);
}

} // namespace

KeyboardEditor::KeyboardEditor(ConfigModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("frmMIDIChannels"));
    setWindowTitle(text(editortext::keyboardTitle()));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_lblMIDIChannels = newBoldLabel(*this, text(editortext::manualLocationUnknown()));
    m_lblMIDIChannels->setObjectName(QStringLiteral("lblMIDIChannels"));
    layout->addWidget(m_lblMIDIChannels);
    m_txtManualName =
        newConsoleNameInput(*this, QStringLiteral("txtManualName"), text(editortext::nameAccessibleName()));
    m_txtManualName->setPlaceholderText(text(editortext::namePlaceholder()));
    layout->addLayout(newCaptionedRow(*this, text(editortext::nameCaption()), *m_txtManualName));
    m_pages = buildKeyboardPages(*this, *layout);

    const SaveCancelButtons buttons = addSaveCancelButtons(*this, *layout);
    m_lblSaveRefused = buttons.lblSaveRefused;
    connect(buttons.cmdOK, &QPushButton::clicked, this, &KeyboardEditor::save);
    connectInputs();
    choosePage(channelSettingsPage);

    // Until the first opening the inputs show the first manual, so that they are never empty.
    m_ownForm.emplace(manualSettingsOf(m_model, 0), 0, m_model.names.manualNames[0]);
    m_form = &*m_ownForm;
    draw();
}

void KeyboardEditor::connectInputs() {
    for (int c = 0; c < channelsPerManual; ++c) {
        const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
        connect(row.chkChannel, &QCheckBox::toggled, this,
                [this, c](bool on) { change([c, on](KeyboardForm& form) { form.setChannelOn(c, on); }); });
        connect(row.cboTransposeInput, &QComboBox::currentIndexChanged, this, [this, c](int position) {
            change([c, position](KeyboardForm& form) { form.chooseKeyOffset(c, position); });
        });
        connect(row.chkVelocity, &QCheckBox::toggled, this,
                [this, c](bool on) { change([c, on](KeyboardForm& form) { form.setVelocityOn(c, on); }); });
        connect(row.cboVelocity, &QComboBox::currentIndexChanged, this, [this, c](int position) {
            change([c, position](KeyboardForm& form) { form.chooseVelocity(c, position); });
        });
        connect(row.cboAnalogInput, &QComboBox::currentIndexChanged, this, [this, c](int position) {
            change([c, position](KeyboardForm& form) { form.chooseAnalogInput(c, position); });
        });
        connect(row.cboMidiController, &QComboBox::currentIndexChanged, this, [this, c](int position) {
            change([c, position](KeyboardForm& form) { form.chooseController(c, position); });
        });
    }
    for (int bit = 0; bit < keyboardOptionBits; ++bit) {
        connect(m_pages.chkKeyboardConfig[static_cast<std::size_t>(bit)], &QCheckBox::toggled, this,
                [this, bit](bool on) { change([bit, on](KeyboardForm& form) { form.setOption(bit, on); }); });
    }
    connect(m_pages.cboArchiveAnalogInput[archiveInputCombo], &QComboBox::currentIndexChanged, this,
            [this](int position) {
                change([position](KeyboardForm& form) { form.chooseArchiveInput(position); });
            });
    connect(m_pages.cboArchiveAnalogInput[archiveChannelCombo], &QComboBox::currentIndexChanged, this,
            [this](int position) {
                change([position](KeyboardForm& form) { form.chooseArchiveChannel(position); });
            });
    for (int page = 0; page < keyboardPageCount; ++page) {
        connect(m_pages.tabMidiChannels[static_cast<std::size_t>(page)], &QPushButton::clicked, this,
                [this, page] { choosePage(page); });
    }
}

void KeyboardEditor::change(const std::function<void(KeyboardForm&)>& edit) {
    // What drawing sets is not the user's choice.
    if (m_drawing)
        return;
    edit(*m_form);
    draw();
}

void KeyboardEditor::edit(KeyboardForm& form, Store store) {
    showForm(form, std::move(store));
    exec();
    // The form is its holder's, and may be gone once the dialog is.
    m_form = &*m_ownForm;
}

bool KeyboardEditor::prepare(int manualIndex) {
    if (!KeyboardForm::hasManual(manualIndex)) {
        return false;
    }
    m_ownForm.emplace(manualSettingsOf(m_model, manualIndex), manualIndex,
                      m_model.names.manualNames[static_cast<std::size_t>(manualIndex)]);
    showForm(*m_ownForm, [this] { return storeIntoModel(); });
    return true;
}

bool KeyboardEditor::storeIntoModel() {
    const KeyboardForm::Saved saved = m_form->save();
    if (!saved.settings)
        return false;
    setManualSettings(m_model, m_form->manualIndex(), *saved.settings);
    m_model.names.manualNames[static_cast<std::size_t>(m_form->manualIndex())] = saved.name;
    return true;
}

void KeyboardEditor::showForm(KeyboardForm& form, Store store) {
    m_form = &form;
    m_store = std::move(store);
    m_lblMIDIChannels->setText(QString::fromStdString(m_form->location()));
    m_txtManualName->setText(QString::fromStdString(m_form->nameShown()));
    draw();

    adjustSize();
    QPoint centre = ownerWindowCentre(*this);
    centre += QPoint(twipsToPixels(this, rightOfCentreTwips), twipsToPixels(this, belowCentreTwips));
    centreDialogAt(*this, centre);
    if (auto* first = findChild<QWidget*>(QString::fromUtf8(KeyboardForm::openOn)))
        first->setFocus(Qt::OtherFocusReason);
}

void KeyboardEditor::draw() {
    m_drawing = true;
    for (int c = 0; c < channelsPerManual; ++c)
        drawChannelRow(c);
    const KeyboardInputs& inputs = m_form->inputs();
    for (int bit = 0; bit < keyboardOptionBits; ++bit) {
        const auto b = static_cast<std::size_t>(bit);
        drawCheck(*m_pages.chkKeyboardConfig[b], inputs.options[b]);
    }
    drawChoice(*m_pages.cboArchiveAnalogInput[archiveInputCombo], analogInputList(), inputs.archiveInput);
    drawChoice(*m_pages.cboArchiveAnalogInput[archiveChannelCombo], archiveChannelList(),
               inputs.archiveChannel);
    const std::string& refusal = m_form->refusal();
    m_lblSaveRefused->setText(QString::fromStdString(refusal));
    m_lblSaveRefused->setVisible(!refusal.empty());
    m_drawing = false;
}

void KeyboardEditor::drawChannelRow(int c) {
    const ChannelRow& row = m_pages.rows[static_cast<std::size_t>(c)];
    const ChannelRowInputs& inputs = m_form->inputs().rows[static_cast<std::size_t>(c)];
    const ChannelRowEnabled enabled = m_form->enabled(c);
    drawCheck(*row.chkChannel, inputs.on);
    drawChoice(*row.cboTransposeInput, keyOffsetList(), inputs.keyOffset, enabled.keyOffset);
    drawCheck(*row.chkVelocity, inputs.velocityOn, enabled.velocityOn);
    drawChoice(*row.cboVelocity, velocityList(), inputs.velocity, enabled.velocity);
    drawChoice(*row.cboAnalogInput, analogInputList(), inputs.analogInput);
    drawChoice(*row.cboMidiController, controllerList(), inputs.controller, enabled.controller);
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
    m_form->typeName(m_txtManualName->text().toStdString());
    if (!m_store()) {
        draw();
        return;
    }
    accept();
}

} // namespace zkt
