#include "editors/keyboard_pages.h"

#include "editors/editor_widgets.h"
#include "model/editor_texts.h"
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

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QWidget* buildChannelPage(QWidget& owner, KeyboardPages& pages) {
    auto* page = new QWidget(&owner);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(text(editortext::channelPageHeading()), page));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    // The column line, one heading per column so that it stays over its inputs at any font size.
    const auto& columns = editortext::channelColumnCaptions();
    grid->addWidget(newBoldLabel(*page, text(columns[0])), 0, 0);
    grid->addWidget(newBoldLabel(*page, text(columns[1])), 0, 1);
    grid->addWidget(newBoldLabel(*page, text(columns[2])), 0, 2, 1, 2);
    grid->addWidget(newBoldLabel(*page, text(columns[3])), 0, 4, 1, 2);

    for (int c = 0; c < channelsPerManual; ++c) {
        ChannelRow& row = pages.rows[static_cast<std::size_t>(c)];
        row.chkChannel = newCheckBox(*page, QString::number(c + 1), "chkChannel", c);
        row.cboTransposeInput = newList(*page, "cboTransposeInput", c);
        row.chkVelocity = newCheckBox(*page, text(editortext::velocityOnCaption()), "chkVelocity", c);
        row.chkVelocity->setToolTip(text(editortext::velocityOnToolTip()));
        row.cboVelocity = newList(*page, "cboVelocity", c);
        row.cboAnalogInput = newList(*page, "cboAnalogInput", c);
        row.cboMidiController = newList(*page, "cboMidiController", c);
        const editortext::ChannelRowNames names = editortext::channelRowNames(c + 1);
        row.chkChannel->setAccessibleName(QString::fromStdString(names.channel));
        row.cboTransposeInput->setAccessibleName(QString::fromStdString(names.keyOffset));
        row.chkVelocity->setAccessibleName(QString::fromStdString(names.velocityOn));
        row.cboVelocity->setAccessibleName(QString::fromStdString(names.velocity));
        row.cboAnalogInput->setAccessibleName(QString::fromStdString(names.analogInput));
        row.cboMidiController->setAccessibleName(QString::fromStdString(names.controller));
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
    layout->addWidget(new QLabel(text(editortext::generalPageHeading()), page));

    auto* options = new QGroupBox(text(editortext::optionsFrame()), page);
    auto* optionLayout = new QVBoxLayout(options);
    for (int bit = 0; bit < keyboardOptionBits; ++bit) {
        QCheckBox* check = newCheckBox(
            *options, QString::fromStdString(vocabulary().keyboardOptionNames[static_cast<std::size_t>(bit)]),
            "chkKeyboardConfig", bit);
        pages.chkKeyboardConfig[static_cast<std::size_t>(bit)] = check;
        optionLayout->addWidget(check);
    }
    layout->addWidget(options);

    auto* archive = new QGroupBox(text(editortext::archiveFrame()), page);
    auto* archiveLayout = new QGridLayout(archive);
    pages.cboArchiveAnalogInput[archiveInputCombo] =
        newList(*archive, "cboArchiveAnalogInput", archiveInputCombo);
    pages.cboArchiveAnalogInput[archiveChannelCombo] =
        newList(*archive, "cboArchiveAnalogInput", archiveChannelCombo);
    archiveLayout->addWidget(new QLabel(text(editortext::archiveInputQuestion()), archive), 0, 0);
    archiveLayout->addWidget(pages.cboArchiveAnalogInput[archiveInputCombo], 0, 1);
    archiveLayout->addWidget(new QLabel(text(editortext::archiveChannelQuestion()), archive), 1, 0);
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
    for (int tab = 0; tab < keyboardPageCount; ++tab) {
        auto* button = new QPushButton(text(editortext::pageCaptions()[static_cast<std::size_t>(tab)]), &owner);
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
