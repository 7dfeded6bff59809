// Writing from the window: the chain is read first, the write dialog says what will change, only
// the changed manual is written, and the read-back says so; a chain that cannot be read asks.

#include "app/device/write_dialog.h"
#include "app_fixture.h"
#include "link/tick_schedule.h"
#include "link/transmit_queue.h"
#include "model/backup_store.h"
#include "model/config_file.h"
#include "model/example_organ.h"
#include "settings/user_folders.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zkt {
namespace {

using namespace std::chrono_literals;

class WriteJourney : public test::AppFixture {
protected:
    void startWriting() {
        ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
        useSimulatedChain();
        ConfigModel organ = exampleOrgan(3);
        organ.numberOfManuals = 3;
        organ.pistons[static_cast<std::size_t>(pistonIndexOf(1, 10))].programNumber = 99;
        showUnmodified(organ);
        app.mainWindow().findChild<QAction*>(QStringLiteral("mnuWrite"))->trigger();
    }

    // Ticks until the write has ended, or the limit.
    bool tickUntilWritten() {
        for (int ticks = 0; ticks < 3000; ++ticks) {
            tick();
            const SafeWrite& write = app.writing().safeWrite();
            if (write.phase() == SafeWrite::Phase::finished && !app.engine().busy())
                return true;
        }
        return false;
    }
};

TEST_F(WriteJourney, ShowsWhatChangesAndWritesOnlyThatManual) {
    QString plan;
    test::onNextModal<WriteDialog>([&](WriteDialog* dialog) {
        plan = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtPlan"))->toPlainText();
        EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("chkVerify"))->isChecked());
        dialog->findChild<QPushButton*>(QStringLiteral("cmdWrite"))->click();
    });
    ASSERT_NO_FATAL_FAILURE(startWriting());
    ASSERT_TRUE(tickUntilWritten());
    for (const char* line :
         {"Manual 1 is unchanged and will not be written.", "Manual 2 will be written (1 of 4 chunks)",
          "Manual 2, piston 11: Program Change #21 on MIDI Channel 2 \u2192 Program "
          "Change #99 on MIDI Channel 2",
          "Manual 3 is unchanged and will not be written."})
        EXPECT_TRUE(plan.contains(QString::fromUtf8(line))) << line << '\n' << plan.toStdString();
    EXPECT_EQ(app.writing().safeWrite().outcome(), SafeWrite::Outcome::verified);
    // One piston changes: one chunk travels.
    EXPECT_EQ(app.port().simulation().counters().updatesStored, 1);
    EXPECT_EQ(listBackups(backupsFolder()).size(), 1u);
}

// The window's timer wakes 1 to 4 ms late, as a desktop's does; a tick that comes just before a
// paced update is due waits for it, so each update leaves 600 ms after the one before, as
// zktcli's and the page's do, never a whole tick later.
TEST_F(WriteJourney, UpdatesLeaveOnTheirTickThoughTheTimerWakesLate) {
    test::onNextModal<WriteDialog>(
        [](WriteDialog* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("cmdWrite"))->click(); });
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    useSimulatedChain();
    ConfigModel organ = exampleOrgan(3);
    for (int piston = 0; piston < 15; ++piston) // in every chunk of manual 2
        organ.pistons[static_cast<std::size_t>(pistonIndexOf(1, piston))].programNumber = 99;
    showUnmodified(organ);
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuWrite"))->trigger();

    const QTimer& timer = app.mainWindow().transferTimer();
    const SafeWrite& write = app.writing().safeWrite();
    std::vector<Micros> updatesSent;
    for (int ticks = 0; ticks < 3000 && write.phase() != SafeWrite::Phase::finished; ++ticks) {
        const auto late = std::chrono::milliseconds(1 + ticks % 4);
        for (auto waited = 0ms; waited < timer.intervalAsDuration() + late; waited += 1ms) {
            clock.advance(1ms);
            app.simulationStep();
        }
        test::processEvents();
        const int sentBefore = app.port().simulation().counters().messagesFromComputer;
        if (const auto hold = app.organ().holdTick()) {
            app.transferTick(); // runs the tick once the hold is over, on a real timer
            clock.advance(*hold);
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return app.port().simulation().counters().messagesFromComputer > sentBefore; }, 1000));
        } else {
            app.transferTick();
        }
        if (write.phase() == SafeWrite::Phase::writing &&
            app.port().simulation().counters().messagesFromComputer > sentBefore)
            updatesSent.push_back(clock.now());
    }
    ASSERT_EQ(write.outcome(), SafeWrite::Outcome::verified);
    ASSERT_GE(updatesSent.size(), 3u);
    for (std::size_t i = 1; i < updatesSent.size(); ++i)
        EXPECT_LT(updatesSent[i] - updatesSent[i - 1], TransmitQueue::writePause + TickSchedule::holdLimit)
            << "update " << i;
}

TEST_F(WriteJourney, CancelInTheDialogWritesNothing) {
    test::onNextModal<WriteDialog>([](WriteDialog* dialog) { dialog->reject(); });
    ASSERT_NO_FATAL_FAILURE(startWriting());
    ASSERT_TRUE(tickUntilWritten());
    EXPECT_EQ(app.writing().safeWrite().outcome(), SafeWrite::Outcome::cancelled);
    EXPECT_EQ(app.port().simulation().counters().updatesStored, 0);
}

TEST_F(WriteJourney, AChainThatCannotBeReadAsksBeforeWritingWithoutABackup) {
    QString question;
    test::onNextModal<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        box->button(QMessageBox::No)->click();
    });
    ASSERT_NO_FATAL_FAILURE(startWriting());
    for (int ticks = 0; ticks < 15; ++ticks)
        tick();
    app.port().simulation().unplug();
    ASSERT_TRUE(tickUntilWritten());
    EXPECT_TRUE(question.contains(QStringLiteral("could not be read"))) << question.toStdString();
    EXPECT_EQ(app.writing().safeWrite().outcome(), SafeWrite::Outcome::cancelled);
    EXPECT_EQ(app.port().simulation().counters().updatesStored, 0);
}

// The dialog's state when it comes: its plan, and whether Write can be pressed.
struct DialogSeen {
    QString plan;
    bool writeShown = false;
    bool writeEnabled = false;
    bool writeEnabledWithEveryManual = false;
};

TEST_F(WriteJourney, NothingToWriteIsSaidInTheDialogWhichOffersNoWrite) {
    struct Case {
        const char* name;
        int manuals; // of the configuration; the chain holds the example organ of 3
        const char* said;
        bool writeShown;
    };
    for (const Case& c : {Case{"no manuals", 0, "nothing to write", false},
                          Case{"what the chain holds", 3, "Nothing to write: the ZKT already holds", true}}) {
        SCOPED_TRACE(c.name);
        DialogSeen seen;
        test::onNextModal<WriteDialog>([&seen](WriteDialog* dialog) {
            auto* write = dialog->findChild<QPushButton*>(QStringLiteral("cmdWrite"));
            seen.plan = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtPlan"))->toPlainText();
            seen.writeShown = write->isVisible();
            seen.writeEnabled = write->isEnabled();
            dialog->findChild<QCheckBox*>(QStringLiteral("chkEveryManual"))->setChecked(true);
            seen.writeEnabledWithEveryManual = write->isEnabled();
            dialog->reject();
        });
        if (c.manuals == 0 || !app.mainWindow().isVisible()) {
            ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
        }
        useSimulatedChain();
        ConfigModel organ = exampleOrgan(3);
        organ.numberOfManuals = static_cast<std::int16_t>(c.manuals);
        showUnmodified(organ);
        app.mainWindow().findChild<QAction*>(QStringLiteral("mnuWrite"))->trigger();
        for (int ticks = 0; ticks < 100 && seen.plan.isEmpty(); ++ticks)
            tick();
        EXPECT_TRUE(seen.plan.contains(QString::fromLatin1(c.said))) << seen.plan.toStdString();
        EXPECT_EQ(seen.writeShown, c.writeShown);
        EXPECT_FALSE(seen.writeShown && seen.writeEnabled);
        // Writing what the chain holds anyway is a choice: every manual.
        EXPECT_EQ(seen.writeShown && seen.writeEnabledWithEveryManual, c.writeShown);
        if (c.writeShown) {
            EXPECT_TRUE(tickUntilWritten());
        }
    }
    EXPECT_EQ(app.port().simulation().counters().updatesStored, 0);
}

TEST_F(WriteJourney, AfterAWriteTheTitleKeepsTheFileAndEditsNotSavedStillCount) {
    const QString path = folders.paths.documentsFolder + QStringLiteral("/organ.zkt");
    writeConfigurationFile(path.toStdString(), exampleOrgan(3));
    app.startWithFile(path);
    app.mainWindow().transferTimer().stop();
    useSimulatedChain();
    ASSERT_TRUE(tickUntilSettled());
    app.configuration().history().apply(
        [&] { app.model().pistons[static_cast<std::size_t>(pistonIndexOf(1, 10))].programNumber = 99; },
        [] { return std::string("Edit"); });
    test::onNextModal<WriteDialog>(
        [](WriteDialog* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("cmdWrite"))->click(); });
    app.mainWindow().findChild<QAction*>(QStringLiteral("mnuWrite"))->trigger();
    ASSERT_TRUE(tickUntilWritten());
    EXPECT_EQ(app.writing().safeWrite().outcome(), SafeWrite::Outcome::verified);
    EXPECT_TRUE(app.mainWindow().windowTitle().contains(QStringLiteral("organ.zkt")))
        << app.mainWindow().windowTitle().toStdString();
    EXPECT_TRUE(app.mainWindow().isWindowModified());
    EXPECT_FALSE(app.history().isClean());
}

} // namespace
} // namespace zkt
