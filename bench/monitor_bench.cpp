// Whether the MIDI monitor slows a transfer: the window loads all five manuals of its
// built-in simulated chain in real time, with the monitor closed, open, and open with its
// list already full (so every new message also lets the oldest go). For each it prints the
// median load time, how late the latest 100 ms transfer tick came, and how long the monitor
// took to list one load's messages at once.
//
//   monitor_bench [LOADS]     (offscreen unless QT_QPA_PLATFORM says otherwise)

#include "app/shell/application.h"
#include "link/protocol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace zkt;

struct LoadFigures {
    double milliseconds = 0;
    double latestTickMs = 0; // beyond the 100 ms a tick should take
};

LoadFigures timedLoad(Application& app) {
    QElapsedTimer sinceStart;
    QElapsedTimer sinceTick;
    double latestTick = 0;
    const auto tickConnection = QObject::connect(&app.mainWindow().transferTimer(), &QTimer::timeout, [&] {
        if (sinceTick.isValid())
            latestTick = std::max(latestTick, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 100.0);
        sinceTick.start();
    });
    QEventLoop loop;
    QTimer poll;
    poll.callOnTimeout([&] {
        if (app.engine().outcome().result == TransferOutcome::Result::succeeded)
            loop.quit();
    });
    sinceStart.start();
    app.engine().startLoad();
    poll.start(1);
    loop.exec();
    LoadFigures figures{static_cast<double>(sinceStart.nsecsElapsed()) / 1e6, latestTick};
    QObject::disconnect(tickConnection);
    // Let the MCUs' reboot and the status window's closing run out before the next load.
    QEventLoop pause;
    QTimer::singleShot(2500, &pause, &QEventLoop::quit);
    pause.exec();
    return figures;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(Application& app, const char* mode, int loads) {
    std::vector<double> times;
    double latestTick = 0;
    for (int i = 0; i < loads; ++i) {
        const LoadFigures figures = timedLoad(app);
        times.push_back(figures.milliseconds);
        latestTick = std::max(latestTick, figures.latestTickMs);
    }
    char listing[16] = "-";
    if (MidiMonitorWindow* monitor = app.linkTools().monitor()) {
        // One load's traffic, listed in one go: what a refresh costs at most.
        for (int i = 0; i < 200; ++i)
            monitor->record({Micros{i}, TrafficDirection::received,
                             protocol::programResponse(3, 64, Bytes(protocol::chunkSize, 0x55))});
        QElapsedTimer timer;
        timer.start();
        monitor->refresh();
        std::snprintf(listing, sizeof listing, "%.2f", static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("%-28s %6d %12.1f %18.1f %16s\n", mode, loads, median(times), latestTick, listing);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    const int loads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    QTemporaryDir scratch;
    AppPaths paths;
    paths.programFolder = paths.storageFolder = paths.documentsFolder = scratch.path();
    ApplicationOptions options;
    options.splashMs = 0;
    options.useHardwareMidi = false;
    options.simulatedManuals = maxManuals;
    Application app(paths, options);
    app.initialiseApplication();
    MidiSelection& selection = app.engine().selection();
    selection.midiInSelection = 1;
    selection.midiOutSelection = 2;
    app.mainWindow().show();
    app.mainWindow().transferTimer().start();

    std::printf("%-28s %6s %12s %18s %16s\n", "monitor", "loads", "median ms", "latest tick ms",
                "list 200 ms");
    measure(app, "closed", loads);
    app.linkTools().showMonitor();
    measure(app, "open", loads);
    MidiMonitorWindow& monitor = *app.linkTools().monitor();
    for (std::size_t i = 0; i < TrafficLog::capacity; ++i)
        monitor.record({Micros{static_cast<Micros::rep>(i)}, TrafficDirection::sent, protocol::tagMessage()});
    monitor.refresh();
    measure(app, "open, full (10 000 kept)", loads);
    return 0;
}
