// The window as bench/app_bench measures it: the same start-up as zktconfig (one-instance
// check, application, splash, start choice), with the splash's fixed wait set to zero so the
// figure is the program's own work. It reports on stdout, one "name value" line each:
//   start-choice-ms   from the launcher's clock reading (--launched-at-ns, CLOCK_REALTIME)
//                     to the start choice's first paint
//   manuals           after --open FILE: how many manuals the window shows
//   loaded-ms         the same clock, once the file is loaded and the panels drawn
// then keeps running, idle, until it is ended (the script reads /proc for memory and CPU).

#include "app/shell/app_paths.h"
#include "app/shell/application.h"
#include "app/shell/single_instance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

namespace {

using namespace zkt;

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void report(const char* name, double value) {
    std::printf("%s %.1f\n", name, value);
    std::fflush(stdout);
}

struct Arguments {
    std::int64_t launchedAtNs = 0;
    std::optional<QString> fileToOpen;
};

std::optional<Arguments> parseArguments(const QStringList& words) {
    Arguments arguments;
    for (qsizetype i = 1; i + 1 < words.size(); i += 2) {
        if (words[i] == QStringLiteral("--launched-at-ns"))
            arguments.launchedAtNs = words[i + 1].toLongLong();
        else if (words[i] == QStringLiteral("--open"))
            arguments.fileToOpen = words[i + 1];
        else
            return std::nullopt;
    }
    if (arguments.launchedAtNs <= 0 || words.size() % 2 == 0)
        return std::nullopt;
    return arguments;
}

// Fires once, at the watched widget's first paint: the moment the user can see it.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& widget, std::function<void()> seen) : m_seen(std::move(seen)) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_seen) {
            watched->removeEventFilter(this);
            // After this paint has been delivered, not before it.
            QTimer::singleShot(0, this, std::exchange(m_seen, nullptr));
        }
        return false;
    }

private:
    std::function<void()> m_seen;
};

// Answers the Open dialog with the given file as soon as it is up, as a user typing the path
// would. Gives up after about ten seconds.
void answerOpenDialog(const QString& path, int attemptsLeft = 1000) {
    QTimer::singleShot(10, qApp, [path, attemptsLeft] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides QDialog's public accept()
        } else if (attemptsLeft > 0) {
            answerOpenDialog(path, attemptsLeft - 1);
        } else {
            std::fprintf(stderr, "app_bench_driver: the Open dialog never appeared\n");
            QCoreApplication::exit(1);
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZKTConfig"));
    const std::optional<Arguments> arguments = parseArguments(QCoreApplication::arguments());
    if (!arguments) {
        std::fprintf(stderr, "usage: app_bench_driver --launched-at-ns NS [--open FILE.zkt]\n");
        return 2;
    }
    const auto sinceLaunchMs = [launched = arguments->launchedAtNs] { return (nowNs() - launched) / 1e6; };

    // A name of its own, so a zktconfig the user has open neither answers nor is disturbed.
    SingleInstance instance(QStringLiteral("zktconfig-bench-%1").arg(QCoreApplication::applicationPid()));
    if (instance.anotherInstance())
        return 1;

    // A program folder that cannot be written to (it does not exist), as for an installed
    // program: settings and log go to the per-user folder, here a scratch one.
    QTemporaryDir folders;
    const AppPaths paths = resolveAppPaths(folders.path() + QStringLiteral("/program"),
                                           folders.path() + QStringLiteral("/user"), folders.path());
    ApplicationOptions options;
    options.splashMs = 0;
    Application application(paths, options);

    FirstPaint startChoiceSeen(application.startChoiceWindow(), [&] {
        report("start-choice-ms", sinceLaunchMs());
        if (!arguments->fileToOpen)
            return;
        application.chooseStart(StartAction::none);
        answerOpenDialog(*arguments->fileToOpen);
        application.document().openWithDialog();
        report("manuals", application.model().numberOfManuals);
        // Let the panels lay out and draw before the figure is taken.
        QTimer::singleShot(0, &application, [&] { report("loaded-ms", sinceLaunchMs()); });
    });
    application.start();
    return QApplication::exec();
}
