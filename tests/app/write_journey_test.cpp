// Writing from the window: the chain is read first, the write dialog says what will change, only
// the changed manual is written, and the read-back says so; a chain that cannot be read asks.

#include "app/device/write_dialog.h"
#include "app_fixture.h"
#include "model/backup_store.h"
#include "model/example_organ.h"
#include "settings/user_folders.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zkt {
namespace {

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
    for (const char* line : {"Manual 1 is unchanged and will not be written.", "Manual 2 will be written (1 of 4 chunks)",
                             "Manual 2, piston 11: Program Change #21 on MIDI Channel 2 \u2192 Program "
                             "Change #99 on MIDI Channel 2",
                             "Manual 3 is unchanged and will not be written."})
        EXPECT_TRUE(plan.contains(QString::fromUtf8(line))) << line << '\n' << plan.toStdString();
    EXPECT_EQ(app.writing().safeWrite().outcome(), SafeWrite::Outcome::verified);
    // One piston changes: one chunk travels.
    EXPECT_EQ(app.port().simulation().counters().updatesStored, 1);
    EXPECT_EQ(listBackups(backupsFolder()).size(), 1u);
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

} // namespace
} // namespace zkt
