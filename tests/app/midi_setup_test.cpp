// The MIDI setup dialog: list entries and numbering, preselection, OK, Cancel, no devices.

#include "app/device/midi_setup_dialog.h"
#include "app/device/status_window.h"
#include "app_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt {
namespace {

class ListedPort final : public MidiPort {
public:
    std::vector<std::string> inputs{"In A", "In B"};
    std::vector<std::string> outputs{"Out A", "Out B", "Out C"};
    bool failsToList = false;

    std::vector<std::string> inputNames() const override { return listed(inputs); }
    std::vector<std::string> outputNames() const override { return listed(outputs); }
    void openInput(int) override {}
    void openOutput(int) override {}
    void closeInput() override {}
    void closeOutput() override {}
    bool isInputOpen() const override { return false; }
    bool isOutputOpen() const override { return false; }
    void sendSysEx(std::span<const std::uint8_t>) override {}
    std::optional<std::vector<std::uint8_t>> takeReceived() override { return std::nullopt; }
    void setReceiveNotifier(std::function<void()>) override {}

private:
    std::vector<std::string> listed(const std::vector<std::string>& names) const {
        if (failsToList)
            throw MidiError("MIDI system unavailable");
        return names;
    }
};

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

class MidiSetupTest : public ::testing::Test {
protected:
    // Opens the dialog, lets inspect look at it and press a button, and returns whether it
    // ended with Cancel.
    bool runDialog(const std::function<void(MidiSetupDialog&)>& inspect) {
        test::onNextModal<MidiSetupDialog>([&](MidiSetupDialog* shown) { inspect(*shown); });
        return dialog.runModal();
    }
    static QComboBox* list(QWidget& dialog, const char* name) {
        return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
    }
    static void press(QWidget& dialog, const char* name) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }

    ListedPort port;
    MidiSelection selection;
    StatusWindow status;
    std::vector<std::string> logLines;
    MidiSetupDialog dialog{port, selection, status,
                           [this](const std::string& line) { logLines.push_back(line); }, nullptr};
};

TEST_F(MidiSetupTest, EntriesAreNumberedByPositionWithTheDefaultOutputFirst) {
    runDialog([](MidiSetupDialog& shown) {
        EXPECT_EQ(entries(list(shown, "ComboMidiOut")),
                  QStringList({"[Choose a MIDI out device]",
                               "#1: Default MIDI output (the first device, \"Out A\")", "#2: Out A",
                               "#3: Out B", "#4: Out C"}));
        EXPECT_EQ(entries(list(shown, "ComboMidiIn")),
                  QStringList({"[Choose a MIDI in device]", "#1: In A", "#2: In B"}));
        press(shown, "CmdCancel");
    });
}

TEST_F(MidiSetupTest, StoredValuesPreselectTheirEntriesAndUnknownOnesSelectNothing) {
    struct Case {
        std::int16_t savedIn, savedOut;
        int shownIn, shownOut;
    };
    for (const Case c :
         {Case{1, 2, 1, 2}, Case{2, 1, 2, 1}, Case{3, 5, 0, 0}, Case{0, 0, 0, 0}, Case{-4, -1, 0, 0}}) {
        MidiSelection fresh;
        fresh.savedMidiIn = c.savedIn;
        fresh.savedMidiOut = c.savedOut;
        selection = fresh;
        runDialog([&](MidiSetupDialog& shown) {
            EXPECT_EQ(list(shown, "ComboMidiIn")->currentIndex(), c.shownIn) << c.savedIn;
            EXPECT_EQ(list(shown, "ComboMidiOut")->currentIndex(), c.shownOut) << c.savedOut;
            press(shown, "CmdCancel");
        });
        // Cancel leaves the selection as it was.
        EXPECT_EQ(selection.midiInSelection, 0);
        EXPECT_EQ(selection.midiOutSelection, 0);
    }
}

// The remembered devices are found by name wherever the lists now have them; one that is not
// there is said plainly, and the list follows it when it is plugged in.
TEST_F(MidiSetupTest, RememberedDevicesAreFoundByNameAndAMissingOneIsSaid) {
    selection.inputName = "In B";
    selection.savedMidiIn = 1;
    selection.outputName = "Out D";
    selection.savedMidiOut = 2;
    runDialog([this](MidiSetupDialog& shown) {
        EXPECT_EQ(list(shown, "ComboMidiIn")->currentIndex(), 2);
        EXPECT_EQ(list(shown, "ComboMidiOut")->currentIndex(), 0);
        auto* missing = shown.findChild<QLabel*>(QStringLiteral("lblMissing"));
        EXPECT_FALSE(missing->isHidden());
        EXPECT_TRUE(missing->text().contains(QStringLiteral("\"Out D\", is not connected")));
        port.outputs.push_back("Out D 20:0");
        press(shown, "CmdRescan");
        EXPECT_EQ(list(shown, "ComboMidiOut")->currentText(), QStringLiteral("#5: Out D"));
        EXPECT_TRUE(missing->isHidden());
        press(shown, "CmdOk");
    });
    EXPECT_EQ(selection.outputName, "Out D");
    EXPECT_EQ(selection.midiOutSelection, 5);
    EXPECT_EQ(selection.inputName, "In B");
}

TEST_F(MidiSetupTest, OkStoresTheChosenPositions) {
    selection.midiSetupCancelled = true;
    const bool cancelled = runDialog([](MidiSetupDialog& shown) {
        list(shown, "ComboMidiIn")->setCurrentIndex(2);
        list(shown, "ComboMidiOut")->setCurrentIndex(4);
        press(shown, "CmdOk");
    });
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(selection.midiInSelection, 2);
    EXPECT_EQ(selection.savedMidiIn, 2);
    EXPECT_EQ(selection.midiOutSelection, 4);
    EXPECT_EQ(selection.savedMidiOut, 4);
    EXPECT_EQ(selection.inputName, "In B");
    EXPECT_EQ(selection.outputName, "Out C");
    EXPECT_TRUE(selection.midiConfigured());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MidiSetupTest, CancelChangesNoSelectionAndHidesTheStatusWindow) {
    selection.midiInSelection = selection.savedMidiIn = 1;
    selection.midiOutSelection = selection.savedMidiOut = 2;
    status.show();
    const bool cancelled = runDialog([](MidiSetupDialog& shown) {
        list(shown, "ComboMidiIn")->setCurrentIndex(0);
        press(shown, "CmdCancel");
    });
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(selection.midiSetupCancelled);
    EXPECT_EQ(selection.midiInSelection, 1);
    EXPECT_EQ(selection.savedMidiIn, 1);
    EXPECT_FALSE(status.isVisible());
}

TEST_F(MidiSetupTest, NoMidiSystemIsReportedAndLoggedAndTheDialogStaysUsable) {
    port.failsToList = true;
    QString boxText;
    test::onNextModal<QMessageBox>([&](QMessageBox* box) {
        boxText = box->text();
        box->accept();
    });
    const bool cancelled = runDialog([](MidiSetupDialog& shown) {
        EXPECT_EQ(list(shown, "ComboMidiOut")->count(), 1);
        EXPECT_EQ(list(shown, "ComboMidiIn")->count(), 1);
        press(shown, "CmdOk");
    });
    EXPECT_EQ(boxText,
              QStringLiteral("MIDI I/O Error... you need to configure a MIDI card to use this program."));
    EXPECT_EQ(logLines, std::vector<std::string>{"No MIDI Card present."});
    EXPECT_FALSE(cancelled);
    EXPECT_FALSE(selection.midiConfigured());
}

} // namespace
} // namespace zkt
