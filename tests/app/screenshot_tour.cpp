// Walks the window through the start choice, a load from the simulated chain, the loaded main
// window and its piston overview, taking a picture of the screen at each stop. Run under a virtual X server
// by scripts/screenshots; not a test.

#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
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
    bool midLoadTaken = false;
    QTimer poll;
    poll.callOnTimeout([&] {
        const std::string status = app.statusWindow().text();
        if (!midLoadTaken && status.find("Manual #2... ok") != std::string::npos) {
            midLoadTaken = true;
            shoot(output, QStringLiteral("status_during_load.png"));
        }
        if (midLoadTaken && app.model().numberOfManuals == 3 && !app.statusWindow().isVisible() &&
            app.mainWindow().isVisible()) {
            poll.stop();
            shoot(output, QStringLiteral("main_window_3_manuals.png"));
            // The overview with room for more rows, and a row selected: its button is ringed.
            zkt::MainWindow& main = app.mainWindow();
            main.resize(main.width(), 740);
            main.selectPiston(zkt::pistonIndexOf(1, 12));
            QTimer::singleShot(300, [&] {
                shoot(output, QStringLiteral("piston_overview.png"));
                QCoreApplication::quit();
            });
        }
    });
    QTimer::singleShot(1100, [&] { poll.start(20); });
    QTimer::singleShot(60000, [] {
        std::fprintf(stderr, "screenshot_tour: the load did not finish\n");
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}
