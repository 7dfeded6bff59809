// Walks the window through the start choice, a load from the simulated chain, the loaded
// main window, a second load with the MIDI monitor open and a connection test, then the piston
// overview, the console check played on the simulator and its report, a piston's and a
// keyboard's context menu, a paste in the Edit menu and the question
// on closing with changes, taking a picture of the screen at each stop. Run under a virtual X
// server by scripts/screenshots; not a test.

#include "app/consolecheck/console_check_dialog.h"
#include "app/shell/application.h"
#include "app/linktools/link_check_dialog.h"
#include "app/linktools/midi_monitor_window.h"
#include "app/device/write_dialog.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int settleMs = 600;

void shoot(const QString& folder, const QString& name) {
    QCoreApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + name;
    if (QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), path}) != 0)
        std::fprintf(stderr, "screenshot_tour: could not take %s\n", qPrintable(path));
    else
        std::fprintf(stderr, "screenshot_tour: %s\n", qPrintable(path));
}

void trigger(QWidget& window, const QString& widgetName, const QString& entryName) {
    if (auto* widget = window.findChild<QWidget*>(widgetName))
        if (auto* entry = widget->findChild<QAction*>(entryName))
            entry->trigger();
}

// Opens the widget's context menu as a right click would, takes the picture, closes the menu.
void shootContextMenu(QWidget& window, const QString& widgetName, const QString& folder,
                      const QString& name) {
    auto* widget = window.findChild<QWidget*>(widgetName);
    if (widget == nullptr)
        return;
    const QPoint at = widget->rect().center();
    QTimer::singleShot(settleMs, [folder, name] {
        shoot(folder, name);
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
}

// Runs the steps one after the other, each a moment after the one before has returned (a
// step may hold a menu or a question open until its picture is taken).
void runSteps(std::shared_ptr<std::vector<std::function<void()>>> steps, std::size_t next = 0) {
    if (next >= steps->size())
        return;
    QTimer::singleShot(settleMs, [steps, next] {
        (*steps)[next]();
        runSteps(steps, next + 1);
    });
}

void closeAsking(zkt::MainWindow& window, const QString& output) {
    QTimer::singleShot(settleMs, [output] {
        shoot(output, QStringLiteral("save_changes_question.png"));
        if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            question->button(QMessageBox::Discard)->click();
    });
    window.close();
}

// After the load: the context menus, a paste shown in the Edit menu, the write dialog for that
// change, and the question that closing the changed configuration asks, answered with
// Discard, which ends the program.
void tourEditing(zkt::MainWindow& window, const QString& output) {
    auto steps = std::make_shared<std::vector<std::function<void()>>>();
    steps->push_back([&window, output] {
        trigger(window, QStringLiteral("cmdPiston_0"), QStringLiteral("mnuPistonCopy"));
        shootContextMenu(window, QStringLiteral("cmdPiston_24"), output,
                         QStringLiteral("piston_context_menu.png"));
    });
    steps->push_back([&window, output] {
        shootContextMenu(window, QStringLiteral("picKeyboard_1"), output,
                         QStringLiteral("keyboard_context_menu.png"));
    });
    steps->push_back([&window, output] {
        trigger(window, QStringLiteral("cmdPiston_24"), QStringLiteral("mnuPistonPaste"));
        auto* edit = window.findChild<QMenu*>(QStringLiteral("mnuEdit"));
        if (edit == nullptr)
            return;
        QTimer::singleShot(settleMs, [output, edit] {
            shoot(output, QStringLiteral("edit_menu_undo.png"));
            edit->close();
        });
        QMenuBar* bar = window.menuBar();
        edit->exec(bar->mapToGlobal(bar->actionGeometry(edit->menuAction()).bottomLeft()));
    });
    // The pasted piston is a change: the write reads the chain first, then its dialog says what
    // it would write. Cancel there, and close the window.
    steps->push_back([&window, output] {
        trigger(window, QStringLiteral("mnuFile"), QStringLiteral("mnuWrite"));
        auto* poll = new QTimer(&window);
        poll->callOnTimeout([&window, output, poll] {
            auto* dialog = qobject_cast<zkt::WriteDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            poll->deleteLater();
            QTimer::singleShot(settleMs, [&window, output, dialog] {
                shoot(output, QStringLiteral("write_dialog.png"));
                dialog->reject();
                QTimer::singleShot(3000, [&window, output] { closeAsking(window, output); });
            });
        });
        poll->start(50);
    });
    runSteps(steps);
}

// The console check mid-way, played on the simulator: keys held and played, pistons pressed,
// a shoe moved, and a Program Change nothing sends listed as a fault; then its report.
void tourConsoleCheck(zkt::Application& app, const QString& output, std::function<void()> then) {
    using Kind = zkt::ConsoleAction::Kind;
    const auto play = [&app](Kind kind, int manual, int number, int value = 100, zkt::Bytes bytes = {}) {
        app.port().playOnSimulation({kind, manual, number, value, std::move(bytes)});
    };
    auto steps = std::make_shared<std::vector<std::function<void()>>>();
    steps->push_back([&app] {
        app.mainWindow().findChild<QAction*>(QStringLiteral("mnuCheckConsole"))->trigger();
        zkt::ConsoleCheckDialog* dialog = app.consoleCheck().dialog();
        dialog->startCheck();
        dialog->skipAllAsked();
    });
    steps->push_back([&app, play] {
        // The pistons of the standard groups but the last of each manual.
        const zkt::ConsolePlan& plan = app.consoleCheck().dialog()->check()->plan();
        for (const zkt::ManualPlan& manual : plan.manuals()) {
            std::vector<int> followed;
            for (const zkt::PlannedPiston& piston : manual.pistons) {
                if (piston.check == zkt::PistonCheck::followed)
                    followed.push_back(piston.piston);
            }
            for (std::size_t i = 0; i + 1 < followed.size(); ++i) {
                play(Kind::pressPiston, manual.manual, followed[i]);
                play(Kind::releasePiston, manual.manual, followed[i]);
            }
        }
    });
    steps->push_back([play] {
        for (int key = 1; key <= 24; key += 2) {
            play(Kind::pressKey, 1, key);
            play(Kind::releaseKey, 1, key);
        }
        for (int key = 1; key <= 12; ++key) {
            play(Kind::pressKey, 2, key);
            play(Kind::releaseKey, 2, key);
        }
        for (const int value : {40, 0, 90})
            play(Kind::moveShoe, 2, 1, value);
    });
    steps->push_back([play] {
        play(Kind::send, 1, 1, 0, {0xCF, 0x75});
        for (const int key : {25, 29, 32})
            play(Kind::pressKey, 1, key);
    });
    steps->push_back([&app, output] {
        shoot(output, QStringLiteral("console_check_window.png"));
        for (const int key : {25, 29, 32})
            app.port().playOnSimulation({Kind::releaseKey, 1, key, 0, {}});
    });
    steps->push_back([&app, output] {
        app.consoleCheck().dialog()->finishCheck();
        QTimer::singleShot(settleMs, [&app, output] {
            shoot(output, QStringLiteral("console_check_report_window.png"));
            app.consoleCheck().dialog()->reject();
        });
    });
    steps->push_back(std::move(then));
    runSteps(steps);
}

} // namespace

int main(int argc, char** argv) {
    // The write's backup goes to a scratch folder too.
    QTemporaryDir data;
    setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
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
        // In any language: the second manual is in once the third is asked for.
        const zkt::TransferStatus transfer = app.engine().status();
        const bool midLoad = transfer.kind == zkt::TransferKind::load && transfer.manualInHand == 3;
        switch (stop) {
        case Stop::firstLoad:
            if (!midLoadTaken && midLoad) {
                midLoadTaken = true;
                shoot(output, QStringLiteral("status_during_load.png"));
            }
            if (midLoadTaken && loaded()) {
                // The keyboard focus on a piston shows its frame, its ring and its overview row.
                app.mainWindow()
                    .findChild<QWidget*>(QStringLiteral("cmdPiston_2"))
                    ->setFocus(Qt::TabFocusReason);
                QCoreApplication::processEvents();
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
                app.linkTools().linkCheck()->reject();
                app.linkTools().monitor()->close();
                // The overview with room for more rows, and a row selected: its button is ringed.
                zkt::MainWindow& main = app.mainWindow();
                main.resize(main.width(), 740);
                main.selectPiston(zkt::pistonIndexOf(1, 12));
                QTimer::singleShot(300, [&] {
                    shoot(output, QStringLiteral("piston_overview.png"));
                    tourConsoleCheck(app, output, [&] { tourEditing(app.mainWindow(), output); });
                });
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
