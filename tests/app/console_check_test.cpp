// Options > Check the Console… against the simulated chain: keys and pistons clicked in the dialog
// are played on the simulator and ticked off, a message nothing sends is listed in the check's
// words, the report names the manuals, and the check and the transfers wait for each other.

#include "app/consolecheck/manual_check_view.h"
#include "app_fixture.h"
#include "check/check_texts.h"
#include "model/example_organ.h"

#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt {
namespace {

using Look = CheckKeyboard::Look;

class ConsoleCheckTest : public test::AppFixture {
protected:
    // The main window on the organ the simulator plays, named, with the check started and the
    // organ's own pistons passed over.
    void startChecking() {
        ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
        useSimulatedChain();
        ConfigModel organ = exampleOrgan(3);
        organ.names.manualNames = {"Great", "Swell", "Pedal", "", ""};
        showUnmodified(organ);
        app.mainWindow().findChild<QAction*>(QStringLiteral("mnuCheckConsole"))->trigger();
        dialog = app.consoleCheck().dialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        click("cmdStart");
        ASSERT_TRUE(dialog->isRunning());
        EXPECT_TRUE(app.organ().listening());
        // The simulated chain sends nothing for the organ's own pistons: one is skipped, the rest
        // with Skip All.
        click("cmdSkip");
        ASSERT_TRUE(dialog->check()->asking());
        click("cmdSkipAll");
        ASSERT_FALSE(dialog->check()->asking());
    }

    void click(const char* name) {
        auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isVisible()) << name;
        button->click();
    }

    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            tick();
    }

    ManualCheckView& view(int manual) { return *dialog->manualView(manual); }

    void pressKey(int manual, int key) {
        QTest::mousePress(&view(manual).keyboard(), Qt::LeftButton, {}, view(manual).keyboard().keyRect(key).center());
        ticks(2);
    }
    void releaseKey(int manual, int key) {
        QTest::mouseRelease(&view(manual).keyboard(), Qt::LeftButton, {}, view(manual).keyboard().keyRect(key).center());
        ticks(2);
    }

    // The first piston of the manual whose messages the check knows.
    int followedPiston(int manual) const {
        for (const PlannedPiston& piston : dialog->check()->plan().manual(manual).pistons) {
            if (piston.check == PistonCheck::followed)
                return piston.piston;
        }
        return 0;
    }

    ConsoleCheckDialog* dialog = nullptr;
};

TEST_F(ConsoleCheckTest, KeysAndAPistonClickedOnTheSimulatorAreTickedOff) {
    ASSERT_NO_FATAL_FAILURE(startChecking());
    for (const int key : {1, 2, 13}) {
        pressKey(1, key);
        EXPECT_EQ(view(1).keyboard().look(key), Look::held) << key;
        releaseKey(1, key);
        EXPECT_EQ(view(1).keyboard().look(key), Look::played) << key;
    }
    EXPECT_EQ(view(1).keyboard().look(3), Look::waiting);
    const auto* checklist = view(1).findChild<QLabel*>(QStringLiteral("lblChecklist_0"));
    const ManualPlan& great = dialog->check()->plan().manual(1);
    EXPECT_TRUE(checklist->text().startsWith(QString::fromStdString(
        checktext::keysPlayed(3, static_cast<int>(great.expectedKeys.size()), great.compass))))
        << checklist->text().toStdString();

    const int piston = followedPiston(2);
    ASSERT_GT(piston, 0);
    QPushButton* button = view(2).pistonButton(piston);
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    ticks(3);
    EXPECT_EQ(dialog->check()->progress(2).pistons[static_cast<std::size_t>(piston - 1)].presses, 1);
    EXPECT_EQ(button->text(), QStringLiteral("\u2713"));
    EXPECT_TRUE(dialog->check()->faults().empty()) << dialog->check()->faults().front().text;
}

TEST_F(ConsoleCheckTest, AMessageNothingSendsIsListedInTheChecksWords) {
    ASSERT_NO_FATAL_FAILURE(startChecking());
    app.port().playOnSimulation(
        {.kind = ConsoleAction::Kind::send, .manual = 3, .number = 1, .value = 0, .bytes = {0xCF, 0x75}});
    ticks(3);
    const std::vector<CheckFault>& faults = dialog->check()->faults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults.front().kind, CheckFaultKind::notSent);
    const auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstFaults"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text().toStdString(), checktext::fault(faults.front()));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lblFaults"))->text().toStdString(),
              checktext::faultsHeading(1));
}

TEST_F(ConsoleCheckTest, FinishShowsTheReportAndSavesItAsHtmlAndPdf) {
    ASSERT_NO_FATAL_FAILURE(startChecking());
    pressKey(2, 5);
    releaseKey(2, 5);
    click("cmdFinish");
    EXPECT_FALSE(dialog->isRunning());
    EXPECT_FALSE(app.organ().listening()) << "the input is the session's again";

    const QString html = folders.paths.documentsFolder + QStringLiteral("/report.html");
    const QString pdf = folders.paths.documentsFolder + QStringLiteral("/report.pdf");
    ASSERT_TRUE(dialog->saveReportHtml(html));
    ASSERT_TRUE(dialog->saveReportPdf(pdf));
    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(page.readAll());
    for (const char* title : {"Manual 1 (Great)", "Manual 2 (Swell)", "Manual 3 (Pedal)"})
        EXPECT_TRUE(written.contains(QString::fromLatin1(title))) << title;
    QFile document(pdf);
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    EXPECT_TRUE(document.read(5).startsWith("%PDF-"));
}

TEST_F(ConsoleCheckTest, NothingToCheckWithoutManuals) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    useSimulatedChain();
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuCheckConsole"))->trigger();
    dialog = app.consoleCheck().dialog();
    click("cmdStart");
    EXPECT_FALSE(dialog->isRunning());
    EXPECT_FALSE(app.organ().listening());
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lblRefusal"))->text().toStdString(),
              checktext::noManualsToCheck());
}

TEST_F(ConsoleCheckTest, TheCheckAndTheTransfersWaitForEachOther) {
    ASSERT_NO_FATAL_FAILURE(startChecking());
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuLoadOrgan"))->trigger();
    test::processEvents();
    EXPECT_FALSE(app.engine().busy()) << "no load while the console is checked";
    EXPECT_TRUE(dialog->isRunning());
    dialog->reject();
    EXPECT_FALSE(app.organ().listening()) << "closing ends the check";

    ASSERT_TRUE(app.organ().startLoad());
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuCheckConsole"))->trigger();
    test::processEvents();
    const auto* refused = app.mainWindow().findChild<QMessageBox*>(QStringLiteral("msgConsoleCheckRefused"));
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(refused->text().toStdString(), checktext::cannotListen({LinkCheckRefusal::Why::transferRunning}, {}));
    EXPECT_FALSE(dialog->isVisible());
}

} // namespace
} // namespace zkt
