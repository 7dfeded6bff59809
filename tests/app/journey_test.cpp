// Whole journeys through the widgets: reading the simulated encoder chain from the start
// choice, and saving a configuration then opening it again.

#include "app/shell/application.h"
#include "app/linktools/link_tools.h"
#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_button_style.h"
#include "app/mainwindow/piston_overview.h"
#include "app_fixture.h"
#include "app_test_support.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "link/clock.h"
#include "link/protocol.h"
#include "model/example_organ.h"
#include "model/piston_description.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt {
namespace {

// Everything the load moves through, in the order the status window must show it.
const std::vector<std::string> loadStatusLines = {
    "Requesting ZKT Configuration..",
    "Number of manuals detected = 3",
    "Requesting ZKT Program Data from Manual #1... ok",
    "Requesting ZKT Program Data from Manual #2... ok",
    "Requesting ZKT Program Data from Manual #3... ok",
    "ZKT Configuration data loaded!",
    "Ready.",
};

class JourneyTest : public test::AppFixture {
protected:
    void triggerMenu(const char* name) {
        app.mainWindow().findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }

    void loadToTheEnd() {
        app.engine().startLoad();
        const auto succeeded = [&] { return app.engine().outcome().result == TransferOutcome::Result::succeeded; };
        for (int ticks = 0; ticks < 1000 && !succeeded(); ++ticks)
            tick();
        ASSERT_TRUE(succeeded());
        EXPECT_EQ(app.model().numberOfManuals, 3);
    }
};

std::string withoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

TEST_F(JourneyTest, LoadFromSimulatedChainColoursThePanelsAndClosesTheStatusWindow) {
    // The user picks the simulator, the last entry of both lists, in the setup dialog that
    // the first load opens.
    bool setupShown = false;
    test::onNextModal<QDialog>([&](QDialog* modal) {
        setupShown = modal->objectName() == QLatin1String("frmMidiSetup");
        for (const char* name : {"ComboMidiIn", "ComboMidiOut"}) {
            auto* list = modal->findChild<QComboBox*>(QString::fromLatin1(name));
            list->setCurrentIndex(list->count() - 1);
            EXPECT_EQ(list->currentText().toStdString().find("ZKT simulator (3 manuals)") !=
                          std::string::npos,
                      true);
        }
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("CmdOk")), Qt::LeftButton);
    });
    startAndChoose("lblWizard");
    ASSERT_TRUE(QTest::qWaitFor([&] { return setupShown; }, 10000));
    EXPECT_FALSE(app.startChoiceWindow().isVisible());
    EXPECT_TRUE(app.mainWindow().isVisible());

    std::string lastText;
    bool statusSeen = false;
    int ticks = 0;
    for (; ticks < 1000; ++ticks) {
        tick();
        if (app.statusWindow().isVisible()) {
            statusSeen = true;
            lastText = withoutCarriageReturns(app.statusWindow().text());
        } else if (statusSeen) {
            break;
        }
    }
    ASSERT_LT(ticks, 1000) << "the status window never closed; last text:\n" << lastText;

    std::size_t searchFrom = 0;
    for (const std::string& line : loadStatusLines) {
        const std::size_t found = lastText.find(line, searchFrom);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\nin:\n" << lastText;
        searchFrom = found + line.size();
    }

    const ConfigModel expected = exampleOrgan(3);
    EXPECT_EQ(app.model().numberOfManuals, 3);
    bool sawAssigned = false;
    for (int manual = 0; manual < maxManuals; ++manual)
        EXPECT_EQ(app.mainWindow().panel(manual)->isVisible(), manual < 3) << "panel " << manual;
    for (int pistonIndex = 0; pistonIndex < 3 * pistonsPerManual; ++pistonIndex) {
        const pistonInfo& piston = app.model().pistons[pistonIndex];
        ASSERT_EQ(piston, expected.pistons[pistonIndex]) << "piston " << pistonIndex;
        const QPushButton* button = app.mainWindow()
                                        .panel(pistonIndex / pistonsPerManual)
                                        ->pistonButton(pistonIndex % pistonsPerManual);
        const bool assigned = piston.functionGroup != 0;
        sawAssigned = sawAssigned || assigned;
        EXPECT_EQ(button->palette().color(QPalette::Button),
                  assigned ? assignedPistonColour : unassignedPistonColour);
        EXPECT_EQ(button->toolTip().toStdString(), describePiston(piston));
    }
    EXPECT_TRUE(sawAssigned);
    for (auto command :
         {MainWindow::openFile, MainWindow::saveFile, MainWindow::loadFromDevice, MainWindow::writeToDevice})
        EXPECT_TRUE(app.mainWindow().isCommandEnabled(command));
}

using test::chooseFileInNextDialog;

// While a load runs, nothing can start another transfer; Esc on the status window cancels it and
// leaves the configuration as it was.
TEST_F(JourneyTest, ALoadHoldsTheCommandsAndEscapeCancelsItWithoutChangingAnything) {
    ConfigModel before = exampleOrgan(2);
    before.numberOfManuals = 2;
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(before);
    useSimulatedChain();

    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuLoadOrgan"))->trigger();
    for (int i = 0; i < 30; ++i)
        tick();
    ASSERT_TRUE(app.engine().busy());
    for (const char* name : {"mnuLoad", "mnuLoadOrgan", "mnuWrite"})
        EXPECT_FALSE(app.mainWindow().findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
    auto* cancel = app.statusWindow().findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    ASSERT_TRUE(cancel->isVisible());

    QTest::keyClick(&app.statusWindow(), Qt::Key_Escape);
    EXPECT_FALSE(app.engine().busy());
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(app.model(), before);
    EXPECT_NE(app.statusWindow().text().find("Cancelled. Nothing was loaded"), std::string::npos);
    for (const char* name : {"mnuLoad", "mnuLoadOrgan", "mnuWrite"})
        EXPECT_TRUE(app.mainWindow().findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(app.mainWindow().panel(1)->isVisible());
}

TEST_F(JourneyTest, SaveThenOpenGivesBackTheSameModel) {
    ConfigModel organ = exampleOrgan(3);
    organ.numberOfManuals = 3;
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(organ);

    const QString path = folders.paths.documentsFolder + QStringLiteral("/organ"); // ".zkt" is added
    chooseFileInNextDialog(QStringLiteral("Save Configuration To File"), path);
    QString savedMessage;
    test::onNextModal<QMessageBox>([&](QMessageBox* box) {
        savedMessage = box->windowTitle() + QLatin1Char('|') + box->text();
        box->accept();
    });
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !savedMessage.isEmpty(); }, 10000));
    EXPECT_EQ(savedMessage, QStringLiteral("ZKT Config|Successfully saved to file: organ.zkt"));

    showUnmodified(ConfigModel());
    chooseFileInNextDialog(QStringLiteral("Load Configuration From File"), path + QStringLiteral(".zkt"));
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuLoad"))->trigger();
    test::processEvents();

    const ConfigModel& loaded = app.model();
    EXPECT_EQ(loaded.numberOfManuals, 3);
    EXPECT_EQ(loaded.pistons, organ.pistons);
    EXPECT_EQ(loaded.keyboards, organ.keyboards);
    EXPECT_EQ(loaded.shoes, organ.shoes);
    EXPECT_EQ(loaded.channelTranspose, organ.channelTranspose);
    EXPECT_EQ(loaded.channelVelocity, organ.channelVelocity);
    EXPECT_EQ(app.statusWindow().windowTitle(), QStringLiteral("Loading Program Data from file: organ.zkt"));
    EXPECT_TRUE(app.mainWindow().panel(2)->isVisible());
    EXPECT_FALSE(app.mainWindow().panel(3)->isVisible());
    EXPECT_EQ(app.lastFolder().toStdString().rfind(folders.paths.documentsFolder.toStdString(), 0), 0u);
}

TEST_F(JourneyTest, AFileThatCannotBeReadIsNamedWithItsLineAndLeavesTheModelAlone) {
    ConfigModel organ = exampleOrgan(2);
    organ.numberOfManuals = 2;
    showUnmodified(organ);
    const ConfigModel before = app.model();
    const QString path = folders.paths.documentsFolder + QStringLiteral("/broken.zkt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(780, 'z') + "\r\n");
    file.close();

    startAndChoose("lblLoad");
    chooseFileInNextDialog(QStringLiteral("Load Configuration From File"), path);
    QString warning;
    test::onNextModal<QMessageBox>([&](QMessageBox* box) {
        warning = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->accept();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !warning.isEmpty(); }, 10000));
    EXPECT_TRUE(warning.contains(QStringLiteral("broken.zkt"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("line 1"))) << warning.toStdString();
    EXPECT_EQ(app.model(), before);
    EXPECT_FALSE(app.statusWindow().isVisible());
}

TEST_F(JourneyTest, PistonButtonsAndKeyboardPicturesOpenTheirEditorsOnTheirRecords) {
    ConfigModel organ = exampleOrgan(2);
    organ.numberOfManuals = 2;
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(organ);

    int pistonOpened = -1;
    test::onNextModal<PistonEditor>([&](PistonEditor* editor) {
        pistonOpened = editor->pistonIndex();
        editor->reject();
    });
    QTest::mouseClick(app.mainWindow().findChild<QPushButton*>(QStringLiteral("cmdPiston_25")),
                      Qt::LeftButton);
    EXPECT_EQ(pistonOpened, 25);

    int keyboardOpened = -1;
    test::onNextModal<KeyboardEditor>([&](KeyboardEditor* editor) {
        keyboardOpened = editor->manualIndex();
        editor->reject();
    });
    QTest::mouseClick(app.mainWindow().findChild<QWidget*>(QStringLiteral("picKeyboard_1")), Qt::LeftButton);
    EXPECT_EQ(keyboardOpened, 1);
    // Cancelled editors leave the model alone.
    ConfigModel expected = exampleOrgan(2);
    EXPECT_EQ(app.model().pistons, expected.pistons);
    EXPECT_EQ(app.model().keyboards, expected.keyboards);
}

TEST_F(JourneyTest, EnterOnAnOverviewRowEditsThatPistonAndItsSaveShowsAtOnce) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(exampleOrgan(2));
    auto* table = app.mainWindow().findChild<QTableView*>(QStringLiteral("grdPistonOverview"));
    const QModelIndex function = table->model()->index(25, PistonOverviewModel::functionColumn);
    table->setCurrentIndex(function);

    test::onNextModal<PistonEditor>([](PistonEditor* editor) {
        auto* groups = editor->findChild<QComboBox*>(QStringLiteral("cboFunction"));
        groups->setCurrentIndex(groups->findText(QStringLiteral("HX-90 Cancel")));
        editor->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    QTest::keyClick(table, Qt::Key_Enter);
    EXPECT_EQ(function.data().toString(), QStringLiteral("HX-90 Cancel"));
    EXPECT_EQ(app.mainWindow().findChild<QPushButton*>(QStringLiteral("cmdPiston_25"))->toolTip(),
              QStringLiteral("HX-90 Cancel"));
}

TEST_F(JourneyTest, PrintPistonChartPreviewsAPagePerManual) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(exampleOrgan(3));
    int pages = -1;
    test::onNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        preview->reject();
    });
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuPrintChart"))->trigger();
    EXPECT_EQ(pages, 3);
}

TEST_F(JourneyTest, TheMidiMonitorListsALoadAndFiltersPausesAndSavesIt) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    useSimulatedChain();
    triggerMenu("mnuMidiMonitor");
    MidiMonitorWindow* monitor = app.linkTools().monitor();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(monitor->isVisible());

    ASSERT_NO_FATAL_FAILURE(loadToTheEnd());
    monitor->refresh();
    const QString all = monitor->visibleLines().join(QLatin1Char('\n'));
    for (const char* meaning :
         {"→ Program request, manual 3, 256 bytes at 0", "← Program response, manual 3, bytes 192–255",
          "← Tag, count 4 (3 MCUs)", "← Identity reply, manual 2, firmware 2.1, hardware 18"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(meaning))) << meaning << '\n' << all.toStdString();

    monitor->findChild<QLineEdit*>(QStringLiteral("txtFilter"))
        ->setText(QStringLiteral("RESPONSE, manual 2"));
    EXPECT_EQ(monitor->visibleLines().size(), 4);

    const QString saved = folders.paths.documentsFolder + QStringLiteral("/traffic.txt");
    ASSERT_TRUE(monitor->saveTo(saved));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              monitor->visibleLines().join(QLatin1Char('\n')) + QLatin1Char('\n'));

    QString warning;
    test::onNextModal<QMessageBox>([&](QMessageBox* box) {
        warning = box->text();
        box->accept();
    });
    EXPECT_FALSE(monitor->saveTo(QStringLiteral("/dev/full")));
    EXPECT_TRUE(warning.contains(QStringLiteral("/dev/full"))) << warning.toStdString();

    const int rows = monitor->model().rowCount();
    monitor->findChild<QPushButton*>(QStringLiteral("cmdPause"))->click();
    ASSERT_NO_FATAL_FAILURE(loadToTheEnd());
    monitor->refresh();
    EXPECT_EQ(monitor->model().rowCount(), rows);
    EXPECT_TRUE(monitor->findChild<QLabel*>(QStringLiteral("lblCount"))
                    ->text()
                    .contains(QStringLiteral("not recorded")));

    // Hours of traffic: the list keeps the latest messages and says how many it let go.
    monitor->findChild<QPushButton*>(QStringLiteral("cmdPause"))->click();
    monitor->findChild<QLineEdit*>(QStringLiteral("txtFilter"))->clear();
    for (std::size_t i = 0; i < TrafficLog::capacity; ++i)
        monitor->record(
            {clock.now(), TrafficDirection::sent, protocol::loopbackTest(static_cast<std::uint16_t>(i), 16)});
    monitor->refresh();
    EXPECT_EQ(monitor->model().rowCount(), static_cast<int>(TrafficLog::capacity));
    EXPECT_TRUE(monitor->visibleLines().constLast().endsWith(QStringLiteral("→ Loopback test 9999")));
    EXPECT_TRUE(monitor->findChild<QLabel*>(QStringLiteral("lblCount"))
                    ->text()
                    .contains(QStringLiteral("the %1 oldest were let go").arg(rows)));
}

TEST_F(JourneyTest, TheConnectionTestBorrowsThePortsAndALoadWorksAfterIt) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    useSimulatedChain();
    triggerMenu("mnuTestConnection");
    LinkCheckDialog* dialog = app.linkTools().linkCheck();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    dialog->findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
    ASSERT_TRUE(app.linkTools().checkRunning());
    for (int ticks = 0; ticks < 300 && app.linkTools().checkRunning(); ++ticks)
        tick();
    ASSERT_FALSE(app.linkTools().checkRunning());
    EXPECT_TRUE(dialog->findChild<QLabel*>(QStringLiteral("lblVerdict"))
                    ->text()
                    .startsWith(QStringLiteral("The loop is fine: 3 MCUs counted")));
    EXPECT_FALSE(app.port().isInputOpen());
    dialog->reject();

    ASSERT_NO_FATAL_FAILURE(loadToTheEnd());
}

} // namespace
} // namespace zkt
