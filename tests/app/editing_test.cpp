// No edit is lost: the questions before closing or replacing a changed configuration, undo and
// redo of every kind of step, copy and paste across manuals, unchanged editor saves, and the
// save dialog's question about the name as written. All through the window's own widgets.

#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_overview_model.h"
#include "app_fixture.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "editors/widget_lookup.h"
#include "model/config_file.h"
#include "model/edit_step_texts.h"
#include "model/example_organ.h"
#include "model/piston_description.h"
#include "support/organs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <sstream>

namespace zkt {
namespace {

using test::organOf;

std::string fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
}

// A configuration's lines, one manual each.
std::vector<std::string> linesOf(const std::string& configuration) {
    std::vector<std::string> lines;
    std::istringstream text(configuration);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

class EditingTest : public test::AppFixture {
protected:
    MainWindow& window() { return app.mainWindow(); }
    QString documentPath(const char* name) const {
        return folders.paths.documentsFolder + QLatin1Char('/') + QLatin1String(name);
    }
    QAction& action(const char* name) { return test::widgetNamed<QAction>(window(), QLatin1String(name)); }
    // An entry of the context menu of a piston button or keyboard picture.
    QAction& contextEntry(const QString& widgetName, const char* entryName) {
        return test::widgetNamed<QAction>(test::widgetNamed<QWidget>(window(), widgetName),
                                          QLatin1String(entryName));
    }
    QAction& pistonEntry(int pistonIndex, const char* entryName) {
        return contextEntry(test::nameOf("cmdPiston", pistonIndex), entryName);
    }
    QAction& keyboardEntry(int manualIndex, const char* entryName) {
        return contextEntry(test::nameOf("picKeyboard", manualIndex), entryName);
    }
    // A shortcut typed while widget has the focus in the active main window. The offscreen
    // platform leaves a closed dialog the active window, where a window manager would not.
    void press(QWidget& widget, QKeySequence::StandardKey shortcut) {
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        widget.setFocus();
        QTest::keySequence(&widget, shortcut);
    }
    QPushButton& pistonButton(int pistonIndex) {
        return test::widgetNamed<QPushButton>(window(), test::nameOf("cmdPiston", pistonIndex));
    }

    // Saves through File > Save to path, answering the dialog and the success message.
    void saveAs(const QString& path) {
        test::chooseFileInNextDialog(QStringLiteral("Save Configuration To File"), path);
        test::onNextModal<QMessageBox>([](QMessageBox* box) { box->accept(); }, QStringLiteral("ZKT Config"));
        action("mnuSave").trigger();
    }
    void open(const QString& path) {
        test::chooseFileInNextDialog(QStringLiteral("Load Configuration From File"), path);
        action("mnuLoad").trigger();
    }
    // Runs the next modal editor's inputs through edit, then its "Save".
    template <class Editor> void saveNextEditor(std::function<void(Editor&)> edit = {}) {
        test::onNextModal<Editor>([edit](Editor* editor) {
            if (edit)
                edit(*editor);
            test::clickButton(*editor, "cmdOK");
        });
    }
};

// ---- the questions -------------------------------------------------------------------------

enum class Command { close, open, load };
enum class Answer { notAsked, save, discard, cancel };

class QuestionTest : public EditingTest, public ::testing::WithParamInterface<std::tuple<Command, Answer>> {};

TEST_P(QuestionTest, ComesOnlyWithChangesAndItsAnswerDecidesWhetherTheCommandGoesOn) {
    const auto [command, answer] = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(organOf(2));
    useSimulatedChain();
    QString asked;
    if (answer != Answer::notAsked) {
        pistonEntry(0, "mnuPistonClear").trigger();
        const std::array<QMessageBox::StandardButton, 4> buttons{QMessageBox::NoButton, QMessageBox::Save,
                                                                 QMessageBox::Discard, QMessageBox::Cancel};
        test::onNextModal<QMessageBox>(
            [&asked, button = buttons[static_cast<std::size_t>(answer)]](QMessageBox* box) {
                asked = box->text();
                box->button(button)->click();
            },
            QStringLiteral("ZKTConfig"));
    }
    const QString savedPath = documentPath("saved.zkt");
    if (answer == Answer::save) {
        test::chooseFileInNextDialog(QStringLiteral("Save Configuration To File"), savedPath);
        test::onNextModal<QMessageBox>([](QMessageBox* box) { box->accept(); }, QStringLiteral("ZKT Config"));
    }
    const bool goesOn = answer != Answer::cancel;
    bool openOffered = false;
    if (command == Command::open && goesOn) {
        test::onNextModal<QFileDialog>(
            [&](QFileDialog* dialog) {
                openOffered = true;
                dialog->reject();
            },
            QStringLiteral("Load Configuration From File"));
    }
    const ConfigModel shown = app.model();

    const std::array<const char*, 3> entries{"mnuExit", "mnuLoad", "mnuLoadOrgan"};
    const std::array<const char*, 3> nextSteps{"closing", "opening another configuration",
                                               "loading the settings from the ZKT"};
    action(entries[static_cast<std::size_t>(command)]).trigger();

    const std::string expectedQuestion = answer == Answer::notAsked
                                             ? ""
                                             : std::string("Save changes to the configuration before ") +
                                                   nextSteps[static_cast<std::size_t>(command)] + "?";
    EXPECT_EQ(asked.toStdString(), expectedQuestion);
    const bool wentOn = command == Command::close  ? !window().isVisible()
                        : command == Command::open ? openOffered
                                                   : app.statusWindow().isVisible();
    EXPECT_EQ(wentOn, goesOn);
    if (answer == Answer::save) {
        EXPECT_EQ(fileText(savedPath), configurationText(shown));
    }
    if (answer == Answer::cancel) {
        EXPECT_EQ(app.model(), shown);
        EXPECT_TRUE(window().isWindowModified());
    }
}

std::string questionCaseName(const ::testing::TestParamInfo<std::tuple<Command, Answer>>& info) {
    static const std::array<const char*, 3> commands{"Close", "Open", "Load"};
    static const std::array<const char*, 4> answers{"Unmodified", "Save", "Discard", "Cancel"};
    return std::string(commands[static_cast<std::size_t>(std::get<0>(info.param))]) +
           answers[static_cast<std::size_t>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EveryCommandAndAnswer, QuestionTest,
                         ::testing::Combine(::testing::Values(Command::close, Command::open, Command::load),
                                            ::testing::Values(Answer::notAsked, Answer::save, Answer::discard,
                                                              Answer::cancel)),
                         questionCaseName);

// ---- undo and redo --------------------------------------------------------------------------

// Every kind of step, one after the other: each undoes to exactly the configuration before it
// and redoes to the one after, with its name in the menu; at the end, undoing everything
// gives back the start.
TEST_F(EditingTest, EveryKindOfStepUndoesAndRedoesExactly) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    const ConfigModel start = organOf(2);
    showUnmodified(start);
    useSimulatedChain();
    const QString otherFile = documentPath("one-manual.zkt");
    writeConfigurationFile(otherFile.toStdString(), organOf(1));

    struct Step {
        const char* name;
        std::function<void()> take;
        // A load or an open: the configuration before it differs from what the window now names.
        bool setsTheCleanState = false;
    };
    const std::vector<Step> steps{
        {"Load Current Settings from the ZKT",
         [&] {
             action("mnuLoadOrgan").trigger();
             ASSERT_TRUE(tickUntilSettled());
         },
         true},
        {"Manual 2, piston 6: Program Change #12 on MIDI Channel 1",
         [&] {
             saveNextEditor<PistonEditor>([](PistonEditor& editor) {
                 test::widgetNamed<QComboBox>(editor, QStringLiteral("cboFunction")).setCurrentIndex(7);
                 test::chooseText(test::listNamed(editor, "cboProgramChange", 7), QStringLiteral("12"));
                 test::chooseText(test::listNamed(editor, "cboMidiChannel", 7), QStringLiteral("1"));
             });
             pistonButton(25).click();
         }},
        {"Manual 3 keyboard settings",
         [&] {
             saveNextEditor<KeyboardEditor>([](KeyboardEditor& editor) {
                 QCheckBox& channel = test::checkNamed(editor, "chkChannel", 6);
                 channel.setChecked(!channel.isChecked());
             });
             keyboardEntry(2, "mnuManualEdit").trigger();
         }},
        {"Paste onto Manual 3, piston 2: Program Change #12 on MIDI Channel 1",
         [&] {
             pistonEntry(25, "mnuPistonCopy").trigger();
             pistonEntry(41, "mnuPistonPaste").trigger();
         }},
        {"Clear Manual 1, piston 1", [&] { pistonEntry(0, "mnuPistonClear").trigger(); }},
        {"Paste Manual Settings of Manual 3 onto Manual 1",
         [&] {
             keyboardEntry(2, "mnuManualSettingsCopy").trigger();
             keyboardEntry(0, "mnuManualSettingsPaste").trigger();
         }},
        {"Paste Manual 2 onto Manual 3",
         [&] {
             keyboardEntry(1, "mnuManualCopy").trigger();
             keyboardEntry(2, "mnuManualPaste").trigger();
         }},
        {"Open one-manual.zkt",
         [&] {
             test::onNextModal<QMessageBox>(
                 [](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); },
                 QStringLiteral("ZKTConfig"));
             open(otherFile);
         },
         true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const ConfigModel before = app.model();
        const bool modifiedBefore = window().isWindowModified();
        ASSERT_NO_FATAL_FAILURE(step.take());
        const ConfigModel after = app.model();
        const bool modifiedAfter = window().isWindowModified();
        ASSERT_FALSE(sameConfiguration(before, after));
        EXPECT_EQ(action("mnuUndo").text(), QStringLiteral("&Undo ") + QLatin1String(step.name));
        action("mnuUndo").trigger();
        EXPECT_TRUE(sameConfiguration(app.model(), before));
        EXPECT_EQ(window().panel(2)->isVisible(), before.numberOfManuals == 3);
        EXPECT_EQ(window().isWindowModified(), modifiedBefore || step.setsTheCleanState);
        EXPECT_EQ(action("mnuRedo").text(), QStringLiteral("&Redo ") + QLatin1String(step.name));
        action("mnuRedo").trigger();
        EXPECT_TRUE(sameConfiguration(app.model(), after));
        EXPECT_EQ(window().panel(2)->isVisible(), after.numberOfManuals == 3);
        EXPECT_EQ(window().isWindowModified(), modifiedAfter);
    }
    EXPECT_EQ(window().windowTitle(), QStringLiteral("one-manual.zkt[*] - ZKTConfig by Larkmoor"));
    EXPECT_FALSE(window().isWindowModified());
    for (std::size_t i = 0; i < steps.size(); ++i)
        action("mnuUndo").trigger();
    EXPECT_TRUE(sameConfiguration(app.model(), start));
}

// ---- copy and paste -------------------------------------------------------------------------

// A manual pasted onto another, and a piston pasted with the focused button's shortcuts, keep
// the copied values exactly, values no list offers included: the saved file shows it.
TEST_F(EditingTest, PastesAcrossManualsAreByteExactInTheSavedFile) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    ConfigModel organ = organOf(3);
    organ.pistons[1] = {.functionGroup = 14, .functionType = 64, .midiChannel = 3};
    organ.channelTranspose[static_cast<std::size_t>(channelSlotOf(0, 3))] = 200;
    showUnmodified(organ);
    press(pistonButton(1), QKeySequence::Copy);
    EXPECT_TRUE(pistonEntry(26, "mnuPistonPaste").isEnabled());
    press(pistonButton(26), QKeySequence::Paste);
    EXPECT_EQ(app.model().pistons[26], organ.pistons[1]);

    EXPECT_FALSE(keyboardEntry(2, "mnuManualPaste").isEnabled());
    keyboardEntry(0, "mnuManualCopy").trigger();
    keyboardEntry(2, "mnuManualPaste").trigger();
    const QString path = documentPath("copied.zkt");
    saveAs(path);

    const std::vector<std::string> lines = linesOf(fileText(path));
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_NE(linesOf(configurationText(organ))[2], lines[0]) << "manual 3 was a copy already";
    EXPECT_EQ(lines[2], lines[0]);
    ConfigModel saved;
    readConfigurationFile(path.toStdString(), saved);
    EXPECT_EQ(saved.pistons[26], saved.pistons[1]);

    press(pistonButton(26), QKeySequence::Delete);
    EXPECT_EQ(app.model().pistons[26], pistonInfo{});
}

// ---- the console's names --------------------------------------------------------------------

// Each typed where its manual or piston is shown, each one step: the frame, the button and the
// overview show it, copy and paste carry it, and the saved file holds it.
TEST_F(EditingTest, NamesAndLabelsAreTypedWhereTheyAreShownOneStepEach) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    const ConfigModel organ = organOf(2);
    showUnmodified(organ);
    const auto undoName = [&] { return action("mnuUndo").text().toStdString(); };

    saveNextEditor<KeyboardEditor>([](KeyboardEditor& editor) {
        test::widgetNamed<QLineEdit>(editor, QStringLiteral("txtManualName"))
            .setText(QStringLiteral(" Great "));
    });
    keyboardEntry(0, "mnuManualEdit").trigger();
    EXPECT_EQ(app.model().names.manualNames[0], "Great");
    EXPECT_EQ(undoName(), "&Undo Manual 1 keyboard settings");
    EXPECT_EQ(test::widgetNamed<QLabel>(window(), QStringLiteral("lblKeyboard_0")).text(),
              QStringLiteral("Manual #1 \u2014 Great"));

    saveNextEditor<PistonEditor>([](PistonEditor& editor) {
        test::widgetNamed<QLineEdit>(editor, QStringLiteral("txtLabel"))
            .setText(QStringLiteral("<b>General</b> 5"));
    });
    pistonButton(24).click();
    EXPECT_EQ(undoName(), "&Undo " + pistonEditStep(24, organ.pistons[24]));
    const QString description = QString::fromStdString(describePiston(organ.pistons[24]));
    // Shown as typed, not taken for markup; the label first.
    const QString toolTip = pistonButton(24).toolTip();
    const QString shownLabel = QStringLiteral("&lt;b&gt;General&lt;/b&gt; 5");
    EXPECT_GE(toolTip.indexOf(shownLabel), 0) << toolTip.toStdString();
    EXPECT_LT(toolTip.indexOf(shownLabel), toolTip.indexOf(description));
    EXPECT_EQ(pistonButton(24).accessibleName(),
              QStringLiteral("<b>General</b> 5 (Manual 2, piston 5): ") + description);

    auto& table = test::widgetNamed<QTableView>(window(), QStringLiteral("grdPistonOverview"));
    table.setCurrentIndex(table.model()->index(2, PistonOverviewModel::detailColumn));
    QTest::keyClick(&table, Qt::Key_F2);
    auto& cell = test::widgetNamed<QLineEdit>(table, QStringLiteral("txtOverviewLabel"));
    QTest::keyClicks(&cell, QString(45, QLatin1Char('x')));
    EXPECT_EQ(cell.text().size(), 40);
    cell.setText(QStringLiteral("Sw to Gt"));
    QTest::keyClick(&cell, Qt::Key_Return);
    test::processEvents();
    EXPECT_EQ(app.model().names.pistonLabels[2], "Sw to Gt");
    EXPECT_EQ(undoName(), "&Undo Label of Manual 1, piston 3: Sw to Gt");

    pistonEntry(24, "mnuPistonCopy").trigger();
    pistonEntry(3, "mnuPistonPaste").trigger();
    EXPECT_EQ(app.model().names.pistonLabels[3], "<b>General</b> 5");
    EXPECT_EQ(table.model()->index(3, PistonOverviewModel::labelColumn).data().toString(),
              QStringLiteral("<b>General</b> 5"));

    const QString path = documentPath("named.zkt");
    saveAs(path);
    ConfigModel saved;
    readConfigurationFile(path.toStdString(), saved);
    EXPECT_TRUE(sameConfiguration(saved, app.model()));
    for (int step = 0; step < 4; ++step)
        action("mnuUndo").trigger();
    EXPECT_TRUE(sameConfiguration(app.model(), organ));
    EXPECT_EQ(test::widgetNamed<QLabel>(window(), QStringLiteral("lblKeyboard_0")).text(),
              QStringLiteral("Manual #1"));
}

// ---- values kept ----------------------------------------------------------------------------

// Editors saved untouched on values no list offers change nothing; an edit undone with the
// standard shortcut gives back the original file as well.
TEST_F(EditingTest, UntouchedEditorSavesAndAnUndoneEditGiveBackTheOriginalFile) {
    ConfigModel organ = organOf(1);
    organ.pistons[2] = {.functionGroup = 14, .functionType = 64, .midiChannel = 3};
    organ.pistons[3] = {.functionGroup = 8, .functionType = 70, .midiChannel = 10};
    organ.keyboards[0].channels |= 1U << 2;
    organ.channelTranspose[static_cast<std::size_t>(channelSlotOf(0, 3))] = 200;
    const QString original = documentPath("original.zkt");
    writeConfigurationFile(original.toStdString(), organ);
    test::chooseFileInNextDialog(QStringLiteral("Load Configuration From File"), original);
    startAndChoose("lblLoad");
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.model().numberOfManuals == 1; }, 10000));
    for (int pistonIndex : {2, 3}) {
        saveNextEditor<PistonEditor>();
        pistonButton(pistonIndex).click();
    }
    saveNextEditor<KeyboardEditor>();
    keyboardEntry(0, "mnuManualEdit").trigger();
    EXPECT_EQ(action("mnuUndo").text(), QStringLiteral("&Undo Open original.zkt"));
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(window().windowTitle(), QStringLiteral("original.zkt[*] - ZKTConfig by Larkmoor"));

    pistonEntry(2, "mnuPistonClear").trigger();
    EXPECT_TRUE(window().isWindowModified());
    ASSERT_NO_FATAL_FAILURE(press(window(), QKeySequence::Undo));
    EXPECT_FALSE(window().isWindowModified());

    const QString resaved = documentPath("resaved.zkt");
    saveAs(resaved);
    EXPECT_EQ(fileText(resaved), fileText(original));
}

// ---- the save dialog ------------------------------------------------------------------------

// "organ" is written as organ.zkt, so the question is about organ.zkt: No brings the dialog
// back and replaces nothing, Yes replaces it.
TEST_F(EditingTest, SavingOverAFileTypedWithoutItsExtensionAsksFirst) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    showUnmodified(organOf(2));
    const QString existing = documentPath("organ.zkt");
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept\r\n");
    }
    const QString typed = documentPath("organ");
    const QString title = QStringLiteral("Save Configuration To File");

    QString question;
    bool dialogBack = false;
    test::onNextModal<QMessageBox>(
        [&](QMessageBox* box) {
            question = box->text();
            test::onNextModal<QFileDialog>(
                [&](QFileDialog* dialog) {
                    dialogBack = true;
                    dialog->reject();
                },
                title);
            box->button(QMessageBox::No)->click();
        },
        title);
    test::chooseFileInNextDialog(title, typed);
    action("mnuSave").trigger();
    EXPECT_TRUE(question.startsWith(QStringLiteral("organ.zkt already exists"))) << question.toStdString();
    EXPECT_TRUE(dialogBack);
    EXPECT_EQ(fileText(existing), "kept\r\n");

    test::onNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, title);
    saveAs(typed);
    EXPECT_EQ(fileText(existing), configurationText(app.model()));
}

} // namespace
} // namespace zkt
