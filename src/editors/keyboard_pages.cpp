#include "editors/keyboard_pages.h"

#include "editors/editor_widgets.h"
#include "editors/list_combo.h"
#include "model/vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zkt {

namespace {

QWidget* buildChannelPage(QWidget& owner, KeyboardPages& pages) {
    auto* page = new QWidget(&owner);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(
        QStringLiteral("You can choose the key offset, velocity, and analog input for each channel"), page));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    // The column line, one heading per column so that it stays over its inputs at any font size.
    grid->addWidget(newBoldLabel(*page, QStringLiteral("#")), 0, 0);
    grid->addWidget(newBoldLabel(*page, QStringLiteral("Key Offset")), 0, 1);
    grid->addWidget(newBoldLabel(*page, QStringLiteral("Velocity On/Fixed")), 0, 2, 1, 2);
    grid->addWidget(newBoldLabel(*page, QStringLiteral("Analog Input + Controller Type")), 0, 4, 1, 2);

    const ListItems offsets = fillNumberList(-36, 91, true);
    const ListItems velocities = fillNumberList(0, 127, false);
    const ListItems inputs = fillListFromVocabulary(vocabulary().analogInputNames, false);
    const ListItems controllers = fillListFromVocabulary(vocabulary().controllerNames, false);
    for (int c = 0; c < channelsPerManual; ++c) {
        ChannelRow& row = pages.rows[static_cast<std::size_t>(c)];
        row.chkChannel = newCheckBox(*page, QString::number(c + 1), "chkChannel", c);
        row.cboTransposeInput = newList(*page, "cboTransposeInput", c, offsets);
        // Checked: the keys send the velocity they are played with; unchecked: the fixed one.
        row.chkVelocity = newCheckBox(*page, QStringLiteral("On"), "chkVelocity", c);
        row.chkVelocity->setToolTip(
            QStringLiteral("Checked: the keys send the velocity they are played with.\n"
                           "Unchecked: every note has the fixed velocity chosen beside."));
        row.cboVelocity = newList(*page, "cboVelocity", c, velocities);
        row.cboAnalogInput = newList(*page, "cboAnalogInput", c, inputs);
        row.cboMidiController = newList(*page, "cboMidiController", c, controllers);
        const QString channel = QStringLiteral("Channel %1").arg(c + 1);
        row.chkChannel->setAccessibleName(channel);
        row.cboTransposeInput->setAccessibleName(channel + QStringLiteral(" key offset"));
        row.chkVelocity->setAccessibleName(channel + QStringLiteral(" velocity on"));
        row.cboVelocity->setAccessibleName(channel + QStringLiteral(" fixed velocity"));
        row.cboAnalogInput->setAccessibleName(channel + QStringLiteral(" analog input"));
        row.cboMidiController->setAccessibleName(channel + QStringLiteral(" controller type"));
        const int gridRow = c + 1;
        grid->addWidget(row.chkChannel, gridRow, 0);
        grid->addWidget(row.cboTransposeInput, gridRow, 1);
        grid->addWidget(row.chkVelocity, gridRow, 2);
        grid->addWidget(row.cboVelocity, gridRow, 3);
        grid->addWidget(row.cboAnalogInput, gridRow, 4);
        grid->addWidget(row.cboMidiController, gridRow, 5);
    }
    grid->setColumnStretch(6, 1);
    layout->addLayout(grid);
    return page;
}

QWidget* buildGeneralPage(QWidget& owner, KeyboardPages& pages) {
    auto* page = new QWidget(&owner);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("These settings apply to this entire keyboard"), page));

    auto* options = new QGroupBox(QStringLiteral("Enable Piston + Key Combinations"), page);
    auto* optionLayout = new QVBoxLayout(options);
    for (int bit = 0; bit < keyboardOptionCount; ++bit) {
        QCheckBox* check = newCheckBox(
            *options, QString::fromStdString(vocabulary().keyboardOptionNames[static_cast<std::size_t>(bit)]),
            "chkKeyboardConfig", bit);
        pages.chkKeyboardConfig[static_cast<std::size_t>(bit)] = check;
        optionLayout->addWidget(check);
    }
    layout->addWidget(options);

    auto* archive = new QGroupBox(QStringLiteral("Ahlborn Archive Crescendo"), page);
    auto* archiveLayout = new QGridLayout(archive);
    pages.cboArchiveAnalogInput[archiveInputCombo] =
        newList(*archive, "cboArchiveAnalogInput", archiveInputCombo,
                fillListFromVocabulary(vocabulary().analogInputNames, false));
    pages.cboArchiveAnalogInput[archiveChannelCombo] =
        newList(*archive, "cboArchiveAnalogInput", archiveChannelCombo, fillNumberList(1, 16, false));
    archiveLayout->addWidget(new QLabel(QStringLiteral("Use with which Analog Input?"), archive), 0, 0);
    archiveLayout->addWidget(pages.cboArchiveAnalogInput[archiveInputCombo], 0, 1);
    archiveLayout->addWidget(new QLabel(QStringLiteral("On which MIDI channel?"), archive), 1, 0);
    archiveLayout->addWidget(pages.cboArchiveAnalogInput[archiveChannelCombo], 1, 1);
    archiveLayout->setColumnStretch(2, 1);
    layout->addWidget(archive);
    layout->addStretch(1);
    return page;
}

} // namespace

KeyboardPages buildKeyboardPages(QWidget& owner, QBoxLayout& layout) {
    KeyboardPages pages;
    auto* tabs = new QHBoxLayout;
    tabs->setSpacing(0);
    const std::array<QString, keyboardPageCount> tabCaptions{QStringLiteral("MIDI Channel Settings"),
                                                             QStringLiteral("General Settings")};
    for (int tab = 0; tab < keyboardPageCount; ++tab) {
        auto* button = new QPushButton(tabCaptions[static_cast<std::size_t>(tab)], &owner);
        button->setObjectName(indexedName("tabMidiChannels", tab));
        button->setAutoDefault(false);
        pages.tabMidiChannels[static_cast<std::size_t>(tab)] = button;
        tabs->addWidget(button);
    }
    tabs->addStretch(1);
    layout.addLayout(tabs);

    pages.pageStack = new QStackedWidget(&owner);
    pages.fraChannels[channelSettingsPage] = buildChannelPage(*pages.pageStack, pages);
    pages.fraChannels[generalSettingsPage] = buildGeneralPage(*pages.pageStack, pages);
    for (int page = 0; page < keyboardPageCount; ++page) {
        QWidget* frame = pages.fraChannels[static_cast<std::size_t>(page)];
        frame->setObjectName(indexedName("fraChannels", page));
        pages.pageStack->addWidget(frame);
    }
    layout.addWidget(pages.pageStack);
    return pages;
}

} // namespace zkt
