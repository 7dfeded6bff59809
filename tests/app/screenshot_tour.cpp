// Walks the window through the start choice, a load from the simulated chain and the loaded
// main window, then a second load with the MIDI monitor open and a connection test, taking a
// picture of the screen at each stop. Run under a virtual X server by scripts/screenshots; not
// a test.

#include "app/application.h"
#include "app/link_check_dialog.h"
#include "app/midi_monitor_window.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

void shoot(const QString& folder, const QString& name) {
    QCoreApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + name;
    if (QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), path}) != 0)
        std::fprintf(stderr, "screenshot_tour: could not take %s\n", qPrintable(path));
    else
        std::fprintf(stderr, "screenshot_tour: %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_tour OUTPUT_FOLDER\n");
        return 2;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(output);

    // Settings and log go to a scratch folder, so the tour leaves nothing behind.
    QTemporaryDir scratch;
    zkt::AppPaths paths;
    paths.programFolder = paths.storageFolder = scratch.path();
    paths.documentsFolder = scratch.path();
    zkt::ApplicationOptions options;
    options.splashMs = 300;
    options.useHardwareMidi = false;
    zkt::Application app(paths, options);
    // The simulated chain is the only device: input 1 and output 2 (device 0).
    zkt::MidiSelection& selection = app.engine().selection();
    selection.midiInSelection = selection.savedMidiIn = 1;
    selection.midiOutSelection = selection.savedMidiOut = 2;
    app.start();

    QTimer::singleShot(1000, [&] {
        shoot(output, QStringLiteral("start_choice.png"));
        app.chooseStart(zkt::StartAction::loadFromDevice);
    });
    // Mid-load: the second manual is in, the third is on its way.
    enum class Stop { firstLoad, secondLoad, linkCheck };
    Stop stop = Stop::firstLoad;
    bool midLoadTaken = false;
    QTimer poll;
    const auto loaded = [&] {
        return app.model().numberOfManuals == 3 && !app.statusWindow().isVisible() &&
               app.mainWindow().isVisible();
    };
    poll.callOnTimeout([&] {
        const std::string status = app.statusWindow().text();
        const bool midLoad = status.find("Manual #2... ok") != std::string::npos;
        switch (stop) {
        case Stop::firstLoad:
            if (!midLoadTaken && midLoad) {
                midLoadTaken = true;
                shoot(output, QStringLiteral("status_during_load.png"));
            }
            if (midLoadTaken && loaded()) {
                shoot(output, QStringLiteral("main_window_3_manuals.png"));
                app.linkTools().showMonitor();
                app.linkTools().monitor()->setGeometry(40, 380, 1180, 400);
                midLoadTaken = false;
                stop = Stop::secondLoad;
                app.engine().startLoad();
            }
            break;
        case Stop::secondLoad:
            if (!midLoadTaken && midLoad) {
                midLoadTaken = true;
                shoot(output, QStringLiteral("midi_monitor_during_load.png"));
            }
            if (midLoadTaken && loaded()) {
                stop = Stop::linkCheck;
                app.linkTools().showLinkCheck();
                app.linkTools().linkCheck()->findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
            }
            break;
        case Stop::linkCheck:
            if (!app.linkTools().checkRunning()) {
                poll.stop();
                shoot(output, QStringLiteral("test_midi_connection.png"));
                QCoreApplication::quit();
            }
            break;
        }
    });
    QTimer::singleShot(1100, [&] { poll.start(20); });
    QTimer::singleShot(90000, [] {
        std::fprintf(stderr, "screenshot_tour: the tour did not finish\n");
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}
