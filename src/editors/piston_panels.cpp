#include "editors/piston_panels.h"

#include "editors/editor_widgets.h"
#include "model/editor_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace zkt {

namespace {

class PanelBuilder {
public:
    PanelBuilder(QWidget& owner, PistonPanels& panels) : m_owner(owner), m_panels(panels) {}

    QWidget* build(int group) {
        const PistonPanelShape shape = *pistonPanelShape(group);
        auto* panel = new QWidget(&m_owner);
        panel->setObjectName(indexedName("fraFunction", group));
        m_grid = new QGridLayout(panel);
        m_grid->setContentsMargins(0, 0, 0, 0);
        m_grid->setColumnStretch(2, 1);
        m_row = 0;

        const auto g = static_cast<std::size_t>(group);
        m_group = g;
        // Every group but Unassigned keeps a type list, shown or not: "Save" may store from it.
        if (group != 0)
            m_panels.cboType[g] = newList(*panel, "cboType", group);
        if (shape.channel == ChannelInput::num) {
            buildLarkmoorRows(*panel, shape.prompt);
            return panel;
        }
        if (!shape.prompt.empty())
            addFullRow(new QLabel(QString::fromStdString(shape.prompt), panel));
        if (m_panels.cboType[g] != nullptr)
            addFullRow(m_panels.cboType[g]);
        if (shape.values) {
            m_panels.cboProgramChange[g] = newList(*panel, "cboProgramChange", group);
            addFullRow(m_panels.cboProgramChange[g]);
        }
        // Made in reading order, which Tab follows; a group without a channel still keeps one.
        m_panels.cboMidiChannel[g] = newList(*panel, "cboMidiChannel", group);
        if (shape.channel == ChannelInput::midiChannel)
            addChannelRow(*panel, shape);
        if (shape.bankRows)
            buildBankSelectRows(*panel);
        return panel;
    }

private:
    void addFullRow(QWidget* widget) { m_grid->addWidget(widget, m_row++, 0, 1, 3); }

    void addChannelRow(QWidget& panel, const PistonPanelShape& shape) {
        m_grid->addWidget(new QLabel(QString::fromStdString(editortext::midiChannelCaption()), &panel), m_row, 0);
        m_grid->addWidget(m_panels.cboMidiChannel[m_group], m_row, 1);
        if (shape.allChannelsBox) {
            m_panels.chkAllChannels =
                new QCheckBox(QString::fromStdString(editortext::allChannelsCaption()), &panel);
            m_panels.chkAllChannels->setObjectName(QStringLiteral("chkAllChannels"));
            m_grid->addWidget(m_panels.chkAllChannels, m_row, 2);
        }
        ++m_row;
    }

    void buildBankSelectRows(QWidget& panel) {
        for (int row = 0; row < bankSelectRows; ++row) {
            const auto r = static_cast<std::size_t>(row);
            QCheckBox* check =
                newCheckBox(panel, QString::fromUtf8(bankSelectCaptions[r]), "chkBankSel", row);
            m_panels.chkBankSel[r] = check;
            m_panels.cboBankSel[r] = newList(panel, "cboBankSel", row);
            m_grid->addWidget(check, m_row, 0);
            m_grid->addWidget(m_panels.cboBankSel[r], m_row, 1);
            ++m_row;
        }
    }

    void buildLarkmoorRows(QWidget& panel, const std::string& prompt) {
        const std::size_t g = m_group;
        m_grid->addWidget(new QLabel(QString::fromStdString(prompt), &panel), 0, 0);
        m_grid->addWidget(m_panels.cboType[g], 0, 1, 1, 2);
        m_panels.cboMidiChannel[g] = newList(panel, "cboMidiChannel", static_cast<int>(g));
        auto* numCaption = new QLabel(QString::fromStdString(editortext::numCaption()), &panel);
        numCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Refilled with each CASE's NUM list, so it must fit whichever texts it holds now.
        m_panels.cboMidiChannel[g]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_grid->addWidget(numCaption, 1, 0);
        m_grid->addWidget(m_panels.cboMidiChannel[g], 1, 1);
    }

    QWidget& m_owner;
    PistonPanels& m_panels;
    QGridLayout* m_grid = nullptr;
    std::size_t m_group = 0;
    int m_row = 0;
};

} // namespace

PistonPanels buildPistonPanels(QWidget& owner, QGridLayout& panelArea) {
    PistonPanels panels;
    panels.cboFunction = new QComboBox(&owner);
    panels.cboFunction->setObjectName(QStringLiteral("cboFunction"));

    PanelBuilder builder(owner, panels);
    for (int group = 0; group < functionGroupCount; ++group) {
        QWidget* panel = builder.build(group);
        panel->hide();
        panelArea.addWidget(panel, 0, 0, Qt::AlignTop);
        panels.fraFunction[static_cast<std::size_t>(group)] = panel;
    }
    return panels;
}

} // namespace zkt
