// The main window on its own: panels, piston buttons, commands, start action, About text.

#include "app/mainwindow/main_window.h"
#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_button_style.h"
#include "app_test_support.h"
#include "widgets/twips.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void showManuals(int manuals) {
        model.numberOfManuals = static_cast<std::int16_t>(manuals);
        window.refreshManualPanels();
    }
    bool hintsShown() const {
        return window.findChild<QLabel*>(QStringLiteral("lblInstructions_3"))->isVisibleTo(&window);
    }

    ConfigModel model;
    MainWindow window{model};
};

TEST_F(MainWindowTest, PanelsStackFromATopThatDependsOnTheManualCount) {
    window.show();
    struct Case {
        int manuals;
        int firstTopTwips;
    };
    for (const Case c : {Case{1, 2400}, Case{2, 1800}, Case{3, 1400}, Case{4, 1000}, Case{5, 600}}) {
        showManuals(c.manuals);
        for (int i = 0; i < maxManuals; ++i) {
            ManualPanel* panel = window.panel(i);
            ASSERT_EQ(panel->isVisible(), i < c.manuals) << c.manuals << " manuals, panel " << i;
            if (i < c.manuals) {
                EXPECT_EQ(panel->y(),
                          twipsToPixels(&window, c.firstTopTwips + i * ManualPanel::designHeightTwips))
                    << c.manuals << " manuals, panel " << i;
            }
        }
        EXPECT_FALSE(hintsShown());
    }
}

TEST_F(MainWindowTest, FewerManualsAfterMoreHideThePanelsNoLongerLoaded) {
    window.show();
    showManuals(5);
    showManuals(3);
    EXPECT_TRUE(window.panel(2)->isVisible());
    EXPECT_FALSE(window.panel(3)->isVisible());
    EXPECT_FALSE(window.panel(4)->isVisible());
    // A count no panel exists for shows what there is, and nothing breaks.
    showManuals(9);
    EXPECT_TRUE(window.panel(4)->isVisible());
    showManuals(-1);
    EXPECT_FALSE(window.panel(0)->isVisible());
}

TEST_F(MainWindowTest, PanelsAreLabelledAndHiddenUntilAConfigurationArrives) {
    window.show();
    for (int i = 0; i < maxManuals; ++i) {
        EXPECT_FALSE(window.panel(i)->isVisible());
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblKeyboard_%1").arg(i))->text(),
                  QStringLiteral("Manual #%1").arg(i + 1));
    }
    EXPECT_TRUE(hintsShown());
    showManuals(2);
    window.hideManualPanels();
    EXPECT_FALSE(window.panel(0)->isVisible());
    EXPECT_TRUE(hintsShown());
}

TEST_F(MainWindowTest, ClicksReportThePistonIndexAndTheManual) {
    window.show();
    showManuals(2);
    QSignalSpy pistons(&window, &MainWindow::pistonClicked);
    QSignalSpy keyboards(&window, &MainWindow::keyboardClicked);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdPiston_25")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("picKeyboard_1")), Qt::LeftButton);
    ASSERT_EQ(pistons.count(), 1);
    EXPECT_EQ(pistons.at(0).at(0).toInt(), 25);
    ASSERT_EQ(keyboards.count(), 1);
    EXPECT_EQ(keyboards.at(0).at(0).toInt(), 1);
}

TEST_F(MainWindowTest, PistonButtonsShowAssignmentByColourAndDescription) {
    model.pistons[25].functionGroup = 1;
    model.pistons[25].midiChannel = 3;
    model.pistons[26].functionGroup = 0;
    model.pistons[27].functionGroup = 99; // unknown to the vocabulary, still "something"
    showManuals(2);
    const auto button = [this](int index) {
        return window.findChild<QPushButton*>(QStringLiteral("cmdPiston_%1").arg(index));
    };
    EXPECT_EQ(button(25)->palette().color(QPalette::Button), assignedPistonColour);
    EXPECT_EQ(button(25)->toolTip(), QStringLiteral("Ahlborn Coupler on MIDI Channel 3"));
    EXPECT_EQ(button(26)->palette().color(QPalette::Button), unassignedPistonColour);
    EXPECT_TRUE(button(26)->toolTip().isEmpty());
    EXPECT_EQ(button(27)->palette().color(QPalette::Button), assignedPistonColour);

    model.pistons[25].functionGroup = 0;
    window.updatePistonButton(25);
    EXPECT_EQ(button(25)->palette().color(QPalette::Button), unassignedPistonColour);
    // Indices without a button are ignored.
    window.updatePistonButton(100);
    window.updatePistonButton(-1);
}

TEST_F(MainWindowTest, SaveWriteAndPrintStayDisabledUntilAConfigurationHasBeenDecoded) {
    const auto enabled = [this](const char* name) {
        return window.findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
    };
    for (const char* name : {"mnuLoad", "mnuLoadOrgan", "tbrMain_load", "tbrMain_loado", "tbrMain_midi"})
        EXPECT_TRUE(enabled(name)) << name;
    const auto needConfiguration = {"mnuSave", "mnuWrite", "tbrMain_save", "tbrMain_write", "mnuPrintChart"};
    for (const char* name : needConfiguration)
        EXPECT_FALSE(enabled(name)) << name;
    window.enableAllCommands();
    for (const char* name : needConfiguration)
        EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(MainWindowTest, MenuAndToolbarRaiseTheSameCommands) {
    window.enableAllCommands();
    QSignalSpy open(&window, &MainWindow::openFileRequested);
    QSignalSpy save(&window, &MainWindow::saveFileRequested);
    QSignalSpy load(&window, &MainWindow::loadFromDeviceRequested);
    QSignalSpy write(&window, &MainWindow::writeToDeviceRequested);
    QSignalSpy midi(&window, &MainWindow::midiSetupRequested);
    for (const char* name : {"mnuLoad", "tbrMain_load", "mnuSave", "tbrMain_save", "mnuLoadOrgan",
                             "tbrMain_loado", "mnuWrite", "tbrMain_write", "mnuMidiSetup", "tbrMain_midi"})
        window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    for (QSignalSpy* spy : {&open, &save, &load, &write, &midi})
        EXPECT_EQ(spy->count(), 2);
}

TEST_F(MainWindowTest, TheStartActionRunsOnceOnTheFirstActivation) {
    QSignalSpy load(&window, &MainWindow::loadFromDeviceRequested);
    QSignalSpy open(&window, &MainWindow::openFileRequested);
    window.setStartAction(StartAction::loadFromDevice);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(load.count(), 1);
    EXPECT_EQ(open.count(), 0);
    EXPECT_EQ(window.startAction(), StartAction::none);

    // Activated again later: nothing runs.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(load.count(), 1);
}

TEST(AboutTextTest, NamesTheFirmwareOnlyWhenOneIsKnown) {
    ConfigModel model;
    EXPECT_EQ(aboutText(model).split(QLatin1Char('\n')).size(), 3);
    EXPECT_TRUE(aboutText(model).contains(QStringLiteral("Version 1.5.3")));
    model.firmwareVersion = "2.7";
    const QStringList lines = aboutText(model).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines.last().contains(QStringLiteral("2.7")));
}

} // namespace
} // namespace zkt
