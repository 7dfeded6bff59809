// The program on a desktop: files given from outside (argument, drop, recent list), the
// keyboard through the start choice and the panels, and a window that scrolls when small.

#include "app/mainwindow/keyboard_picture.h"
#include "app/mainwindow/manual_panel.h"
#include "app/shell/app_settings.h"
#include "app/shell/recent_files.h"
#include "app/shell/splash_window.h"
#include "app_fixture.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"
#include "editors/widget_lookup.h"
#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/hex_text.h"
#include "model/program_image.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWindow>

namespace zkt {
namespace {

using test::processEvents;
using test::widgetNamed;

class DesktopTest : public test::AppFixture {
protected:
    MainWindow& window() { return app.mainWindow(); }
    QString saved(const char* name, int manuals) {
        const QString path = folders.paths.documentsFolder + QLatin1Char('/') + QLatin1String(name);
        writeConfigurationFile(path.toStdString(), exampleOrgan(manuals));
        return path;
    }
    // Types key into whatever has the keyboard focus in the active window.
    static void typeKey(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key);
    }
    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint centre = window().rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &dropped);
    }
    // Notes whether the next message box with that title names the text, and closes it.
    static void readNextMessage(const QString& title, const QString& text, bool& named) {
        test::onNextModal<QMessageBox>(
            [&named, text](QMessageBox* box) {
                named = box->text().contains(text);
                box->accept();
            },
            title);
    }
    static void answerNextQuestion(QMessageBox::StandardButton answer) {
        test::onNextModal<QMessageBox>([answer](QMessageBox* box) { box->button(answer)->click(); },
                                       QStringLiteral("ZKTConfig"));
    }
    void closeStatusWindow() {
        tickUntilSettled();
        processEvents();
    }
};

TEST_F(DesktopTest, AFileGivenAtStartOpensInTheMainWindowWithoutTheStartChoice) {
    const QString organ = saved("organ.zkt", 4);
    app.startWithFile(organ);
    processEvents();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(app.startChoiceWindow().isVisible());
    EXPECT_EQ(app.model().numberOfManuals, 4);
    EXPECT_TRUE(window().windowTitle().startsWith(QStringLiteral("organ.zkt")));
    EXPECT_EQ(app.recentFiles().paths(), QStringList{organ});
}

TEST_F(DesktopTest, AFileThatCannotBeReadAtStartIsReportedAndTheWindowWaitsForAChoice) {
    bool reported = false;
    readNextMessage(QStringLiteral("File Load Error!"), QStringLiteral("missing.zkt"), reported);
    app.startWithFile(folders.paths.documentsFolder + QStringLiteral("/missing.zkt"));
    EXPECT_TRUE(reported);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(app.startChoiceWindow().isVisible());
    EXPECT_EQ(app.model().numberOfManuals, 0);
    EXPECT_TRUE(window().isCommandEnabled(MainWindow::openFile));
    EXPECT_TRUE(app.recentFiles().paths().isEmpty());
}

TEST_F(DesktopTest, ADroppedConfigurationOpensOnceChangesHaveBeenDealtWith) {
    app.startWithFile(saved("first.zkt", 2));
    closeStatusWindow();
    // Anything but a configuration is refused.
    drop(folders.paths.documentsFolder);
    EXPECT_EQ(app.model().numberOfManuals, 2);

    app.configuration().history().apply([&] { app.model().pistons[0].functionGroup = 0; },
                                        [] { return std::string("edit"); });
    const QString second = saved("second.zkt", 5);
    answerNextQuestion(QMessageBox::Cancel);
    drop(second);
    EXPECT_EQ(app.model().numberOfManuals, 2);

    answerNextQuestion(QMessageBox::Discard);
    drop(second);
    EXPECT_EQ(app.model().numberOfManuals, 5);
}

TEST_F(DesktopTest, AFileHandedOverWhileAnEditorIsOpenWaitsUntilItCloses) {
    app.startWithFile(saved("first.zkt", 2));
    closeStatusWindow();
    const QString second = saved("second.zkt", 4);
    int manualsWhileOpen = -1;
    test::onNextModal<PistonEditor>([&](PistonEditor* editor) {
        app.openFromOutside(second);
        processEvents();
        manualsWhileOpen = app.model().numberOfManuals;
        editor->reject();
    });
    emit window().pistonClicked(0);
    EXPECT_EQ(manualsWhileOpen, 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.model().numberOfManuals == 4; }, 5000));
}

TEST(RecentFilesTest, KeepsTheNewestEightOnceEachAndSurvivesTheSettingsFile) {
    test::TestFolders folders;
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i)
        recent.add(QStringLiteral("/organs/%1.zkt").arg(i));
    recent.add(QStringLiteral("/organs/5.zkt"));
    const QStringList expected = {QStringLiteral("/organs/5.zkt"), QStringLiteral("/organs/10.zkt"),
                                  QStringLiteral("/organs/9.zkt"), QStringLiteral("/organs/8.zkt"),
                                  QStringLiteral("/organs/7.zkt"), QStringLiteral("/organs/6.zkt"),
                                  QStringLiteral("/organs/4.zkt"), QStringLiteral("/organs/3.zkt")};
    EXPECT_EQ(recent.paths(), expected);

    // A path longer than the settings file keeps is remembered for this run only.
    recent.add(QStringLiteral("/") + QString(300, QLatin1Char('x')) + QStringLiteral(".zkt"));
    const ProgramLog log(folders.paths.logFile().toStdString());
    AppSettings settings(folders.paths.settingsFile().toStdString(), log);
    settings.writeRecentFiles(recent);
    RecentFiles reread;
    settings.readRecentFiles(reread);
    EXPECT_EQ(reread.paths(), expected.mid(0, 7));

    reread.remove(expected[0]);
    settings.writeRecentFiles(reread);
    settings.readRecentFiles(reread);
    EXPECT_EQ(reread.paths(), expected.mid(1, 6));
}

TEST_F(DesktopTest, RecentConfigurationsReopenAndAMissingOneLeavesTheListWithAMessage) {
    const QString first = saved("first.zkt", 2);
    const QString second = saved("second.zkt", 3);
    app.startWithFile(first);
    closeStatusWindow();
    app.openFromOutside(second);
    closeStatusWindow();
    QMenu& menu = widgetNamed<QMenu>(window(), QStringLiteral("mnuRecent"));
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[0]->text(), QStringLiteral("&1 second.zkt"));
    EXPECT_EQ(menu.actions()[1]->toolTip(), folders.paths.documentsFolder);

    menu.actions()[1]->trigger();
    EXPECT_EQ(app.model().numberOfManuals, 2);
    closeStatusWindow();

    ASSERT_TRUE(QFile::remove(second));
    bool told = false;
    readNextMessage(QStringLiteral("ZKTConfig"), QStringLiteral("second.zkt"), told);
    widgetNamed<QAction>(window(), QStringLiteral("mnuRecent_1")).trigger();
    EXPECT_TRUE(told);
    EXPECT_EQ(app.model().numberOfManuals, 2);
    EXPECT_EQ(app.recentFiles().paths(), QStringList{first});
    EXPECT_EQ(menu.actions().size(), 1);
}

TEST_F(DesktopTest, ChoicesTheSettingsFileCannotKeepAreSaidOnceAndTheEndWaitsUntilTheyAreRead) {
    // A folder where the file belongs: every write fails, every read finds nothing.
    ASSERT_TRUE(QDir().mkpath(folders.paths.settingsFile()));
    const auto shownNotices = [] {
        QList<QMessageBox*> shown;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible())
                shown << box;
        return shown;
    };
    app.startWithFile(saved("first.zkt", 2));
    closeStatusWindow();
    app.openFromOutside(saved("second.zkt", 3));
    closeStatusWindow();
    const QList<QMessageBox*> told = shownNotices();
    ASSERT_EQ(told.size(), 1);
    EXPECT_FALSE(told.first()->isModal());
    EXPECT_TRUE(
        told.first()->text().startsWith(QStringLiteral("The recent configurations could not be saved")));
    EXPECT_TRUE(told.first()->text().contains(folders.paths.settingsFile()));
    told.first()->accept();
    processEvents();

    useSimulatedChain();
    QString toldAtTheEnd;
    QTimer::singleShot(0, qApp, [this] { window().close(); });
    QTimer::singleShot(100, qApp, [&] {
        for (QMessageBox* box : shownNotices()) {
            toldAtTheEnd = box->text();
            box->accept();
        }
    });
    QTimer safety;
    safety.callOnTimeout(qApp, [] { QCoreApplication::exit(99); });
    safety.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(toldAtTheEnd.startsWith(QStringLiteral("The MIDI ports chosen could not be saved")))
        << toldAtTheEnd.toStdString();
}

TEST_F(DesktopTest, TheOpenDialogStartsInTheNearestFolderThatStillExists) {
    QFile settings(folders.paths.settingsFile());
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Preferences]\r\nPath=" + folders.paths.documentsFolder.toUtf8() + "/gone/deeper/\r\n");
    settings.close();
    QString offeredFolder;
    QString offeredName = QStringLiteral("(no name field)");
    test::onNextModal<QFileDialog>([&](QFileDialog* dialog) {
        offeredFolder = dialog->directory().absolutePath();
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            offeredName = name->text();
        dialog->reject();
    });
    startAndChoose("lblLoad");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !offeredFolder.isEmpty(); }, 10000));
    EXPECT_EQ(offeredFolder, QDir(folders.paths.documentsFolder).absolutePath());
    // Not the missing folder's name offered as the file to open.
    EXPECT_EQ(offeredName, QString());
}

TEST(SplashTest, AnyKeyClosesTheSplash) {
    SplashWindow splash(60000);
    QSignalSpy finished(&splash, &SplashWindow::finished);
    splash.show();
    QApplication::setActiveWindow(&splash);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&splash));
    ASSERT_EQ(QApplication::focusWidget(), &splash);
    QTest::keyClick(&splash, Qt::Key_A);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(DesktopTest, TheStartChoiceIsDrivenByTabAndEnter) {
    app.start();
    processEvents();
    QWidget& choice = app.startChoiceWindow();
    QApplication::setActiveWindow(&choice);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&choice));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lblWizard"));
    typeKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lblLoad"));
    typeKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("cmdExit"));
    typeKey(Qt::Key_Backtab);

    bool offered = false;
    test::onNextModal<QFileDialog>(
        [&](QFileDialog* dialog) {
            offered = true;
            dialog->reject();
        },
        QStringLiteral("Load Configuration From File"));
    typeKey(Qt::Key_Return);
    window().transferTimer().stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return offered; }, 10000));
}

TEST_F(DesktopTest, TabGoesThroughEachKeyboardAndItsPistonsAndEnterOpensTheEditors) {
    app.startWithFile(saved("organ.zkt", 3));
    closeStatusWindow();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QWidget& keyboard = widgetNamed<QWidget>(window(), QStringLiteral("picKeyboard_0"));
    keyboard.setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int step = 0; step < 22; ++step) {
        typeKey(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (int j = 0; j < pistonsPerManual; ++j)
        expected << test::nameOf("cmdPiston", j);
    expected << QStringLiteral("picKeyboard_1") << QStringLiteral("cmdPiston_20");
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(window().panel(1)->isPistonHighlighted(0));

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        bool edited = false;
        test::onNextModal<PistonEditor>([&](PistonEditor* editor) {
            edited = editor->pistonIndex() == 20;
            editor->reject();
        });
        // The offscreen platform leaves a closed dialog the active window; a window manager would not.
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("cmdPiston_20"));
        typeKey(key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return edited; }, 10000)) << key;
    }
    bool keyboardEdited = false;
    test::onNextModal<KeyboardEditor>([&](KeyboardEditor* editor) {
        keyboardEdited = true;
        editor->reject();
    });
    QTest::keyClick(&widgetNamed<QWidget>(window(), QStringLiteral("picKeyboard_1")), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyboardEdited; }, 10000));
}

TEST_F(DesktopTest, ASmallWindowScrollsItsPanelsAndFitsAScaledLaptopScreen) {
    app.startWithFile(saved("organ.zkt", 5));
    closeStatusWindow();
    // 1280 x 720 at 1.5 times scaling leaves 853 x 480, less a title bar and a panel.
    EXPECT_LE(window().minimumSize().width(), 853);
    EXPECT_LE(window().minimumSize().height(), 420);
    window().resize(window().minimumSize());
    processEvents();
    EXPECT_EQ(window().size(), window().minimumSize());
    QScrollArea& area = window().manualArea();
    EXPECT_GT(area.verticalScrollBar()->maximum(), 0);
    EXPECT_GT(area.horizontalScrollBar()->maximum(), 0);
    // The last manual's last piston can be scrolled into view.
    QWidget& last = widgetNamed<QWidget>(window(), test::nameOf("cmdPiston", 99));
    area.ensureWidgetVisible(&last);
    const QRect shown(last.mapTo(area.viewport(), QPoint(0, 0)), last.size());
    EXPECT_TRUE(area.viewport()->rect().contains(shown));
}

// Every control a user can reach with the keyboard says what it is to a screen reader.
TEST_F(DesktopTest, EveryFocusableControlHasAnAccessibleName) {
    app.startWithFile(saved("organ.zkt", 2));
    closeStatusWindow();
    const auto unnamed = [](const QWidget& window) {
        QString found;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&window) ||
                widget->focusProxy() != nullptr)
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
                found += widget->objectName() + QLatin1Char(' ');
        }
        return found;
    };
    EXPECT_EQ(unnamed(window()).toStdString(), "");
    EXPECT_EQ(widgetNamed<QWidget>(window(), QStringLiteral("cmdPiston_0")).accessibleName(),
              QStringLiteral("Manual 1, piston 1: ") +
                  widgetNamed<QWidget>(window(), QStringLiteral("cmdPiston_0")).toolTip());
    EXPECT_EQ(unnamed(app.startChoiceWindow()).toStdString(), "");

    QString inEditors;
    test::onNextModal<PistonEditor>([&](PistonEditor* editor) {
        inEditors += unnamed(*editor);
        editor->reject();
    });
    emit window().pistonClicked(0);
    test::onNextModal<KeyboardEditor>([&](KeyboardEditor* editor) {
        inEditors += unnamed(*editor);
        editor->reject();
    });
    emit window().keyboardClicked(0);
    EXPECT_EQ(inEditors.toStdString(), "");
}

TEST_F(DesktopTest, APistonKeepsTheFocusThroughCopyPasteAndClear) {
    app.startWithFile(saved("organ.zkt", 3));
    closeStatusWindow();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    widgetNamed<QWidget>(window(), QStringLiteral("cmdPiston_3")).setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    widgetNamed<QWidget>(window(), QStringLiteral("cmdPiston_25")).setFocus(Qt::TabFocusReason);
    for (const auto& [key, modifiers] : {std::pair(Qt::Key_V, Qt::KeyboardModifiers(Qt::ControlModifier)),
                                         std::pair(Qt::Key_Delete, Qt::KeyboardModifiers())}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        processEvents();
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("cmdPiston_25")) << key;
    }
    EXPECT_EQ(app.model().pistons[25], pistonInfo{});
}

// What a damaged file left out is read before the status window goes, and only the user closes it.
TEST_F(DesktopTest, DamagedFilesKeepTheirWarningsInTheStatusWindowUntilClosed) {
    const std::string image = bytesToHex(encodedManual(exampleOrgan(1), 1)) + "\r\n";
    std::string six;
    for (int i = 0; i < 6; ++i)
        six += image;
    const struct {
        const char* name;
        std::string contents;
        int manuals;
        const char* said;
    } cases[] = {
        {"cut.zkt", image + image.substr(0, 412) + "\r\n" + image, 2,
         "Line 2 is cut short (412 of 780 characters): manual 2 was not read."},
        {"empty.zkt", "", 0, "The file holds no configuration"},
        {"six.zkt", six, 5, "Only the first five manuals were read."},
        {"junk.zkt", image + "organ notes\r\n", 1, "Line 2 is not a manual's image"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folders.paths.documentsFolder + QLatin1Char('/') + QLatin1String(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.contents.data(), static_cast<qint64>(c.contents.size()));
        file.close();
        app.openFromOutside(path);
        app.mainWindow().transferTimer().stop();
        for (int ticks = 0; ticks < 40; ++ticks)
            tick();
        EXPECT_TRUE(app.statusWindow().isVisible());
        EXPECT_NE(app.statusWindow().text().find(c.said), std::string::npos) << app.statusWindow().text();
        EXPECT_EQ(app.statusWindow().text().find("Successfully"), std::string::npos);
        EXPECT_EQ(app.model().numberOfManuals, c.manuals);
        QTest::mouseClick(&widgetNamed<QPushButton>(app.statusWindow(), QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        EXPECT_FALSE(app.statusWindow().isVisible());
    }
}

// With no ports chosen a load asks for them first, saying why, and OK waits for both.
TEST_F(DesktopTest, ALoadWithoutPortsAsksForBothFirst) {
    ASSERT_NO_FATAL_FAILURE(startWithNothingToOpen());
    bool said = false;
    bool okWithNone = true;
    bool okWithBoth = false;
    test::onNextModal<QDialog>(
        [&](QDialog* setup) {
            said = widgetNamed<QLabel>(*setup, QStringLiteral("lblWhy")).isVisible();
            auto& ok = widgetNamed<QPushButton>(*setup, QStringLiteral("CmdOk"));
            okWithNone = ok.isEnabled();
            widgetNamed<QComboBox>(*setup, QStringLiteral("ComboMidiIn")).setCurrentIndex(1);
            widgetNamed<QComboBox>(*setup, QStringLiteral("ComboMidiOut")).setCurrentIndex(2);
            okWithBoth = ok.isEnabled();
            setup->reject();
        },
        QStringLiteral("MIDI I/O Setup"));
    window().findChild<QAction*>(QStringLiteral("mnuLoadOrgan"))->trigger();
    EXPECT_TRUE(said);
    EXPECT_FALSE(okWithNone);
    EXPECT_TRUE(okWithBoth);
    EXPECT_FALSE(app.engine().busy());
}

// A dialog to the window manager, so a click on the main window does not bury the progress.
TEST_F(DesktopTest, TheStatusWindowStaysAboveTheMainWindow) {
    app.startWithFile(saved("organ.zkt", 2));
    ASSERT_TRUE(app.statusWindow().isVisible());
    ASSERT_NE(app.statusWindow().windowHandle(), nullptr);
    EXPECT_EQ(app.statusWindow().windowHandle()->transientParent(), window().windowHandle());
}

// F1 opens the guide as a page with its pictures: built beside the program it is run from.
TEST_F(DesktopTest, HelpOpensTheGuidePageBuiltWithTheProgram) {
    const QString guide = window().documentationUrl().toLocalFile();
    EXPECT_TRUE(guide.endsWith(QStringLiteral("user-guide.html"))) << guide.toStdString();
    QFile page(guide);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << guide.toStdString();
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<h2 id=\"first-start\">")));
    EXPECT_TRUE(QFileInfo::exists(
        QFileInfo(guide).dir().filePath(QStringLiteral("images/main_window_3_manuals.png"))));
}

} // namespace
} // namespace zkt
