#pragma once
// A whole program on the offscreen platform, in virtual time, with the simulated encoder chain
// as its only MIDI device; and the steps a user takes through its start choice and dialogs.

#include "app/document/config_history.h"
#include "app/shell/application.h"
#include "app_test_support.h"
#include "link/clock.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt::test {

using namespace std::chrono_literals;

class AppFixture : public ::testing::Test {
protected:
    // Far below the program's own, so that tests need not wait for the recovery copy.
    static constexpr std::chrono::milliseconds recoveryDelay{100};

    AppFixture()
        : app(folders.paths,
              ApplicationOptions{
                  .splashMs = 0, .useHardwareMidi = false, .clock = &clock, .recoveryDelay = recoveryDelay}) {
    }

    // One 100 ms tick of virtual time, with the simulated wire and received messages
    // handled every 5 ms in between, as the window's timers do.
    void tick() {
        for (int step = 0; step < 20; ++step) {
            clock.advance(5ms);
            app.simulationStep();
            processEvents();
        }
        app.transferTick();
    }

    void startAndChoose(const char* entryName) {
        app.start();
        processEvents();
        ASSERT_TRUE(app.startChoiceWindow().isVisible());
        auto* entry = app.startChoiceWindow().findChild<QPushButton*>(QString::fromLatin1(entryName));
        ASSERT_NE(entry, nullptr);
        QTest::mouseClick(entry, Qt::LeftButton);
        // The timer would tick in real time; the test ticks in virtual time instead.
        app.mainWindow().transferTimer().stop();
    }

    // Chooses to open a saved configuration; its file dialog opens at once and is cancelled.
    void startWithNothingToOpen() {
        startAndChoose("lblLoad");
        bool offered = false;
        onNextModal<QFileDialog>(
            [&](QFileDialog* dialog) {
                offered = true;
                dialog->reject();
            },
            QStringLiteral("Load Configuration From File"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return offered; }, 10000));
    }

    // The program shows configuration as if it had just been read from the ZKT: unmodified.
    void showUnmodified(const ConfigModel& configuration) {
        app.model() = configuration;
        app.history().recordOutsideChange();
        app.history().setClean();
        app.mainWindow().refreshManualPanels();
        app.mainWindow().enableAllCommands();
    }

    // Chooses the simulated chain (input 1, output 2) without the setup dialog.
    void useSimulatedChain() {
        MidiSelection& selection = app.engine().selection();
        selection.midiInSelection = selection.savedMidiIn = 1;
        selection.midiOutSelection = selection.savedMidiOut = 2;
    }

    // Ticks until the running transfer has ended and its status window has closed.
    bool tickUntilSettled(int limit = 2000) {
        for (int ticks = 0; ticks < limit; ++ticks) {
            tick();
            if (app.engine().outcome().ended() && !app.statusWindow().isVisible())
                return true;
        }
        return false;
    }

    TestFolders folders;
    ManualClock clock;
    Application app;
};

// Answers the next file dialog with path, after checking its filter. The dialog reads the
// name from its text field, which its folder view may still be filling in the background;
// if the dialog does not take the answer yet, it is given again.
inline void chooseFileInNextDialog(const QString& expectedTitle, const QString& path) {
    onNextModal<QFileDialog>(
        [expectedTitle, path](QFileDialog* dialog) {
            EXPECT_TRUE(dialog->nameFilters().contains(QStringLiteral("ZKTConfig Config File (*.zkt)")));
            dialog->selectFile(path);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(path);
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible())
                chooseFileInNextDialog(expectedTitle, path);
        },
        expectedTitle);
}

} // namespace zkt::test
