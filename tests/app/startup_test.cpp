// Start-up and program end through the Application: the log switch, stored settings,
// initialisation once, the start choice, and what the end writes.

#include "app/shell/application.h"
#include "app/mainwindow/piston_overview.h"
#include "i18n/language.h"
#include "app_test_support.h"
#include "link/clock.h"
#include "widgets/twips.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace zkt {
namespace {

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

class StartupTest : public ::testing::Test {
protected:
    std::unique_ptr<Application> startWithSettings(const QByteArray& settings) {
        if (!settings.isEmpty())
            writeFile(folders.paths.settingsFile(), settings);
        auto app = std::make_unique<Application>(folders.paths, ApplicationOptions{0, false, &clock});
        app->initialiseApplication();
        return app;
    }
    // The main window after the start choice "Open", whose file dialog is cancelled.
    static void showMainWindowWithNothingOpened(Application& app) {
        bool offered = false;
        test::onNextModal<QDialog>([&](QDialog* dialog) {
            offered = true;
            dialog->reject();
        });
        app.chooseStart(StartAction::openFile);
        app.mainWindow().transferTimer().stop();
        ASSERT_TRUE(QTest::qWaitFor([&] { return offered; }, 10000));
    }
    QStringList logLines() const {
        QStringList lines = readAll(folders.paths.logFile()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (QString& line : lines)
            line = line.trimmed();
        return lines;
    }

    test::TestFolders folders;
    ManualClock clock;
};

TEST_F(StartupTest, OnlyLogEqualToOneInBellhavenSwitchesTheLogOn) {
    struct Case {
        const char* settings;
        bool logs;
    };
    const Case cases[] = {
        {"[Bellhaven]\r\nLog=1\r\n", true},    {"[Other]\r\nX=1\r\n[Bellhaven]\r\nLog=1\r\n", true},
        {"[Bellhaven]\r\nLog=yes\r\n", false}, {"[Bellhaven]\r\nlog=1\r\n", false},
        {"[bellhaven]\r\nLog=1\r\n", false},   {"[Bellhaven]\r\nOther=1\r\n", false},
        {"[Preferences]\r\nLog=1\r\n", false},
    };
    for (const Case& c : cases) {
        QFile::remove(folders.paths.logFile());
        writeFile(folders.paths.instrumentNameFile(), "Acoustic Grand\n");
        startWithSettings(c.settings);
        EXPECT_EQ(QFile::exists(folders.paths.logFile()), c.logs) << c.settings;
        if (c.logs) {
            ASSERT_EQ(logLines().size(), 1) << c.settings;
            EXPECT_TRUE(logLines().first().startsWith(QStringLiteral("MCU Config: start at "))) << c.settings;
        }
    }
}

TEST_F(StartupTest, AMissingInstrumentNameFileIsLoggedAndStartUpGoesOn) {
    auto app = startWithSettings("[Bellhaven]\r\nLog=1\r\n");
    ASSERT_EQ(logLines().size(), 2);
    EXPECT_EQ(logLines().at(1), QStringLiteral("Error in patch loading."));
    // A second call is a no-op: still one start line.
    app->initialiseApplication();
    EXPECT_EQ(logLines().size(), 2);
}

TEST_F(StartupTest, StoredMidiSelectionsAreReadAsRoundedNumbers) {
    struct Case {
        const char* settings;
        int in, out;
    };
    const Case cases[] = {
        {"[MIDI I/O]\r\nInput=3\r\nOutput=2.6\r\n", 3, 3},
        {"[MIDI I/O]\r\nInput=abc\r\nOutput=2.5\r\n", 0, 2},
        {"[MIDI I/O]\r\nInput=12abc\r\nOutput= 4\r\n", 12, 4},
        {"[midi i/o]\r\nInput=3\r\nOutput=3\r\n", 0, 0},
        {"[MIDI I/O]\r\ninput=3\r\n", 0, 0},
        {"[MIDI I/O]\r\nInput=99999999\r\nOutput=-99999999\r\n", 32767, -32768},
    };
    for (const Case& c : cases) {
        auto app = startWithSettings(c.settings);
        EXPECT_EQ(app->engine().selection().savedMidiIn, c.in) << c.settings;
        EXPECT_EQ(app->engine().selection().savedMidiOut, c.out) << c.settings;
        EXPECT_FALSE(app->engine().selection().midiConfigured()) << c.settings;
    }
}

TEST_F(StartupTest, TheLastFolderComesFromPreferencesOrIsTheDocumentsFolder) {
    EXPECT_EQ(startWithSettings({})->lastFolder(), folders.paths.documentsFolder);
    EXPECT_EQ(startWithSettings("[Preferences]\r\nPath=/srv/organs/\r\n")->lastFolder(),
              QStringLiteral("/srv/organs/"));
}

TEST_F(StartupTest, AnUnwritableProgramFolderKeepsSettingsInThePerUserFolder) {
    const QString perUser = folders.root.path() + QStringLiteral("/config/ZKTConfig");
    const AppPaths readOnly =
        resolveAppPaths(QStringLiteral("/proc"), perUser, folders.paths.documentsFolder);
    EXPECT_EQ(readOnly.programFolder, QStringLiteral("/proc"));
    EXPECT_EQ(readOnly.settingsFile(), perUser + QStringLiteral("/ZKTConfig.ini"));
    EXPECT_EQ(readOnly.logFile(), perUser + QStringLiteral("/ZKTConfig.log"));
    EXPECT_TRUE(QFileInfo(perUser).isDir());
    const AppPaths writable =
        resolveAppPaths(folders.paths.programFolder, perUser, folders.paths.documentsFolder);
    EXPECT_EQ(writable.settingsFile(), folders.paths.programFolder + QStringLiteral("/ZKTConfig.ini"));
}

class ChoiceTest : public StartupTest {
protected:
    void SetUp() override {
        app = startWithSettings("[Bellhaven]\r\nLog=1\r\n");
        app->start();
        test::processEvents();
        ASSERT_TRUE(app->startChoiceWindow().isVisible());
    }
    // Chooses "Open Previously Saved ZKT Configuration" and cancels the file dialog it opens.
    void cancelStartFileDialog() {
        bool offered = false;
        test::onNextModal<QDialog>([&](QDialog* dialog) {
            offered = true;
            dialog->reject();
        });
        click("lblLoad");
        ASSERT_TRUE(QTest::qWaitFor([&] { return offered; }, 10000));
    }
    void click(const char* name) {
        QWidget* entry = app->startChoiceWindow().findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(entry, nullptr) << name;
        QTest::mouseClick(entry, Qt::LeftButton);
        app->mainWindow().transferTimer().stop();
    }

    std::unique_ptr<Application> app;
};

TEST_F(ChoiceTest, ExitBeforeAnyChoiceWritesNoSettings) {
    const QString before = readAll(folders.paths.settingsFile());
    // Exit ends the program's event loop at once; a loop is run here for it to end.
    QTimer::singleShot(0, qApp, [this] { click("cmdExit"); });
    QTimer safety;
    safety.callOnTimeout(qApp, [] { QCoreApplication::exit(99); });
    safety.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(readAll(folders.paths.settingsFile()), before);
    EXPECT_FALSE(app->mainWindow().isVisible());
}

TEST_F(ChoiceTest, AChoiceHidesTheChoiceBeforeTheMainWindowShowsAndNeverShowsItAgain) {
    struct ShowWatcher : QObject {
        const QWidget* choice = nullptr;
        bool choiceVisibleAtShow = true;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Show)
                choiceVisibleAtShow = choice->isVisible();
            return false;
        }
    } watcher;
    watcher.choice = &app->startChoiceWindow();
    app->mainWindow().installEventFilter(&watcher);
    ASSERT_NO_FATAL_FAILURE(cancelStartFileDialog());
    EXPECT_TRUE(app->mainWindow().isVisible());
    EXPECT_FALSE(watcher.choiceVisibleAtShow);
    EXPECT_EQ(app->mainWindow().startAction(), StartAction::none);

    bool offeredAgain = false;
    test::onNextModal<QDialog>([&](QDialog* dialog) {
        offeredAgain = true;
        dialog->reject();
    });
    app->mainWindow().findChild<QAction*>(QStringLiteral("mnuLoad"))->trigger();
    EXPECT_TRUE(offeredAgain);
    EXPECT_FALSE(app->startChoiceWindow().isVisible());
}

TEST_F(ChoiceTest, TheEndWritesPlacementThenPreferencesAndLeavesUnchosenMidiAlone) {
    writeFile(folders.paths.settingsFile(), "[MIDI I/O]\r\nInput=7\r\nOutput=9\r\n");
    cancelStartFileDialog();
    app->mainWindow().close();
    const QString settings = readAll(folders.paths.settingsFile());
    EXPECT_TRUE(settings.contains(QStringLiteral("Input=7"))) << settings.toStdString();
    EXPECT_TRUE(settings.contains(QStringLiteral("Output=9"))) << settings.toStdString();
    EXPECT_TRUE(settings.contains(QStringLiteral("Path=") + app->lastFolder())) << settings.toStdString();
    const qsizetype placement = settings.indexOf(QStringLiteral("[ZKTConfig]"));
    EXPECT_GE(placement, 0);
    EXPECT_LT(placement, settings.indexOf(QStringLiteral("[Preferences]")));
    EXPECT_TRUE(settings.contains(QStringLiteral("Maximised=0")));
}

TEST_F(ChoiceTest, TheEndStoresChosenMidiDevices) {
    cancelStartFileDialog();
    MidiSelection& selection = app->engine().selection();
    selection.midiInSelection = selection.savedMidiIn = 1;
    selection.midiOutSelection = selection.savedMidiOut = 2;
    app->mainWindow().close();
    const QString settings = readAll(folders.paths.settingsFile());
    EXPECT_TRUE(settings.contains(QStringLiteral("Input=1"))) << settings.toStdString();
    EXPECT_TRUE(settings.contains(QStringLiteral("Output=2"))) << settings.toStdString();
    EXPECT_LT(settings.indexOf(QStringLiteral("[MIDI I/O]")),
              settings.indexOf(QStringLiteral("[Preferences]")));
}

TEST_F(StartupTest, TheMainWindowIsCentredUnlessPlacedAndAlwaysFitsTheScreen) {
    struct Case {
        const char* settings;
        // Expected left and width in twips; -1: centred, as wide as the design or the screen allows.
        long left;
        long width;
    };
    const Case cases[] = {
        {"", -1, -1},
        {"[ZKTConfig]\r\nLeft=1500\r\nTop=1500\r\nWidth=9900\r\nHeight=3000\r\n", 1500, 9900},
        // Smaller than the window can be: the minimum.
        {"[ZKTConfig]\r\nLeft=1500\r\nTop=1500\r\nWidth=3000\r\nHeight=3000\r\n", 1500,
         MainWindow::minimumWidthTwips},
    };
    for (const Case& c : cases) {
        QFile::remove(folders.paths.settingsFile());
        auto app = startWithSettings(c.settings);
        ASSERT_NO_FATAL_FAILURE(showMainWindowWithNothingOpened(*app));
        const QWidget& main = app->mainWindow();
        const QRect screen = main.screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(main.geometry())) << c.settings;
        // The working height, as far as the screen has room.
        EXPECT_EQ(main.height(),
                  std::min(twipsToPixels(&main, MainWindow::startHeightTwips), screen.height() - 8))
            << c.settings;
        if (c.left < 0) {
            EXPECT_EQ(main.width(),
                      std::min(twipsToPixels(&main, MainWindow::designWidthTwips), screen.width() - 8));
            EXPECT_LE(std::abs(main.x() + main.width() / 2 - screen.center().x()), 1) << c.settings;
        } else {
            EXPECT_EQ(main.x(), twipsToPixels(&main, c.left)) << c.settings;
            EXPECT_EQ(main.width(), twipsToPixels(&main, c.width)) << c.settings;
        }
    }
}

TEST_F(StartupTest, ThePistonOverviewComesBackAsTheUserLeftIt) {
    struct Case {
        const char* settings;
        bool shown;
    };
    for (const Case& c : {Case{"", true}, Case{"[ZKTConfig]\r\nPistonOverview=0\r\n", false},
                          Case{"[zktconfig]\r\npistonoverview=1\r\n", true},
                          Case{"[ZKTConfig]\r\nPistonOverview=no\r\n", true}}) {
        QFile::remove(folders.paths.settingsFile());
        auto app = startWithSettings(c.settings);
        ASSERT_NO_FATAL_FAILURE(showMainWindowWithNothingOpened(*app));
        PistonOverview& overview = app->mainWindow().pistonOverview();
        EXPECT_EQ(overview.isVisible(), c.shown) << c.settings;
        overview.toggleViewAction()->trigger();
        app->mainWindow().close();
        // The file keeps a key's spelling; lookups ignore case.
        const QString expected = QStringLiteral("PistonOverview=%1").arg(c.shown ? 0 : 1);
        EXPECT_TRUE(readAll(folders.paths.settingsFile()).contains(expected, Qt::CaseInsensitive))
            << c.settings;
    }
}

TEST_F(StartupTest, TheLanguageChosenIsKeptAndTheWindowSpeaksItAtOnce) {
    struct BackToEnglish {
        ~BackToEnglish() { setLanguage(englishLanguage); }
    } backToEnglish;
    auto app = startWithSettings("[Preferences]\r\nLanguage=nl\r\n");
    MainWindow& main = app->mainWindow();
    auto* file = main.findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* german = main.findChild<QAction*>(QStringLiteral("mnuLanguage_de"));
    ASSERT_TRUE(file != nullptr && german != nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&Bestand"));
    EXPECT_EQ(german->text(), QStringLiteral("Deutsch"));
    // Help opens the guide's first pages in the window's language.
    const auto guide = [&] { return main.documentationUrl().fileName().section(QLatin1Char('.'), 0, 1); };
    EXPECT_EQ(guide(), QStringLiteral("user-guide.nl"));
    german->trigger();
    EXPECT_EQ(file->title(), QStringLiteral("&Datei"));
    EXPECT_TRUE(german->isChecked());
    EXPECT_EQ(guide(), QStringLiteral("user-guide.de"));
    EXPECT_TRUE(readAll(folders.paths.settingsFile()).contains(QStringLiteral("Language=de")));
    main.findChild<QAction*>(QStringLiteral("mnuLanguage_en"))->trigger();
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(guide(), QStringLiteral("user-guide.html"));
}

TEST_F(ChoiceTest, CloseOnTheStatusWindowMakesTheNextMessageReopenThePorts) {
    MidiSelection& selection = app->engine().selection();
    selection.midiInSelection = 1;
    selection.midiOutSelection = 2;
    selection.portsOpen = true;
    app->statusWindow().show();
    QTest::mouseClick(app->statusWindow().findChild<QPushButton*>(QStringLiteral("cmdClose")),
                      Qt::LeftButton);
    EXPECT_FALSE(selection.portsOpen);
    const std::vector<std::uint8_t> identityRequest = {0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7};
    const std::size_t before = app->engine().queue().queueLength();
    app->engine().queue().queueMessage(identityRequest);
    EXPECT_EQ(app->engine().queue().queueLength(), before + 2); // the open request, then the message
}

} // namespace
} // namespace zkt
