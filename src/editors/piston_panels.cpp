#include "editors/piston_panels.h"

#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/function_group_rules.h"
#include "model/piston_form.h"
#include "model/vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace zkt {

namespace {

constexpr int firstNumListShown = 5; // the NUM list of CASE 0

// A list the group keeps (and stores from) but never shows.
void keepHidden(QComboBox* combo) {
    if (combo != nullptr) {
        combo->hide();
    }
}

class PanelBuilder {
public:
    PanelBuilder(QWidget& owner, PistonPanels& panels) : m_owner(owner), m_panels(panels) {}

    QWidget* build(int group) {
        const FunctionGroupRule& rule = functionGroupRule(static_cast<FunctionGroup>(group));
        auto* panel = new QWidget(&m_owner);
        panel->setObjectName(indexedName("fraFunction", group));
        m_grid = new QGridLayout(panel);
        m_grid->setContentsMargins(0, 0, 0, 0);
        m_grid->setColumnStretch(2, 1);
        m_row = 0;

        const auto g = static_cast<std::size_t>(group);
        m_group = g;
        if (group != 0) {
            m_panels.cboType[g] = newList(*panel, "cboType", group,
                                          fillListFromVocabulary(vocabulary().functionLists[g], false));
        }
        if (rule.channel == ChannelInput::num) {
            buildLarkmoorRows(*panel, rule.prompt);
            return panel;
        }
        if (*rule.prompt != '\0') {
            addFullRow(new QLabel(QString::fromUtf8(rule.prompt), panel));
        }
        if (rule.typeListShown) {
            addFullRow(m_panels.cboType[g]);
        } else {
            keepHidden(m_panels.cboType[g]);
        }
        const ListItems values = groupValueList(rule);
        if (!values.items.empty()) {
            m_panels.cboProgramChange[g] = newList(*panel, "cboProgramChange", group, values);
            addFullRow(m_panels.cboProgramChange[g]);
        }
        m_panels.cboMidiChannel[g] = newList(*panel, "cboMidiChannel", group, fillNumberList(1, 16, false));
        if (rule.channel == ChannelInput::midiChannel) {
            addChannelRow(*panel, rule);
        } else {
            keepHidden(m_panels.cboMidiChannel[g]);
        }
        if (rule.bankRows) {
            buildBankSelectRows(*panel, rule);
        }
        return panel;
    }

private:
    void addFullRow(QWidget* widget) { m_grid->addWidget(widget, m_row++, 0, 1, 3); }

    void addChannelRow(QWidget& panel, const FunctionGroupRule& rule) {
        m_grid->addWidget(new QLabel(QStringLiteral("MIDI Channel"), &panel), m_row, 0);
        m_grid->addWidget(m_panels.cboMidiChannel[m_group], m_row, 1);
        if (rule.allChannelsBox) {
            m_panels.chkAllChannels = new QCheckBox(QStringLiteral("All"), &panel);
            m_panels.chkAllChannels->setObjectName(QStringLiteral("chkAllChannels"));
            m_grid->addWidget(m_panels.chkAllChannels, m_row, 2);
        }
        ++m_row;
    }

    void buildBankSelectRows(QWidget& panel, const FunctionGroupRule& rule) {
        const ListItems bankValues = fillNumberList(bankValueRange.low, bankValueRange.high, false);
        const std::array<ListItems, bankSelectRows> lists{
            bankValues, bankValues, fillNumberList(rule.valueRange.low, rule.valueRange.high, false)};
        for (int row = 0; row < bankSelectRows; ++row) {
            const auto r = static_cast<std::size_t>(row);
            QCheckBox* check =
                newCheckBox(panel, QString::fromUtf8(bankSelectCaptions[r]), "chkBankSel", row);
            m_panels.chkBankSel[r] = check;
            m_panels.cboBankSel[r] = newList(panel, "cboBankSel", row, lists[r]);
            m_grid->addWidget(check, m_row, 0);
            m_grid->addWidget(m_panels.cboBankSel[r], m_row, 1);
            ++m_row;
        }
    }

    void buildLarkmoorRows(QWidget& panel, const char* prompt) {
        const std::size_t g = m_group;
        m_grid->addWidget(new QLabel(QString::fromUtf8(prompt), &panel), 0, 0);
        m_grid->addWidget(m_panels.cboType[g], 0, 1, 1, 2);
        auto* numCaption = new QLabel(QStringLiteral("NUM="), &panel);
        numCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_panels.cboMidiChannel[g] =
            newList(panel, "cboMidiChannel", static_cast<int>(g),
                    fillListFromVocabulary(vocabulary().numLists[static_cast<std::size_t>(firstNumListShown)],
                                           false));
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
    showList(*panels.cboFunction, fillListFromVocabulary(vocabulary().functionGroupNames, false));

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
