#include "app/shell/program.h"

#include "app/mainwindow/toolbar_icons.h"
#include "app/shell/app_paths.h"
#include "app/shell/application.h"
#include "app/shell/single_instance.h"

#include <QApplication>
#include <QCommandLineParser>

namespace zkt {

int runProgram(int argc, char** argv, const std::function<void(Application&)>& started) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZKTConfig"));
    QApplication::setApplicationVersion(QStringLiteral(ZKT_VERSION_TEXT));
    QApplication::setWindowIcon(programIcon());

    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("Configuration for the ZKT organ MIDI encoder."));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("file"),
                                    QStringLiteral("A .zkt configuration to open at once."),
                                    QStringLiteral("[file]"));
    arguments.process(qtApplication);
    const QStringList files = arguments.positionalArguments();
    const QString fileToOpen = files.isEmpty() ? QString() : files.first();

    // A second launch only hands its file to the running one and asks it to come forward;
    // it reads and writes nothing itself.
    SingleInstance instance(SingleInstance::defaultServerName());
    if (instance.anotherInstance(fileToOpen))
        return 0;

    Application application(systemAppPaths());
    QObject::connect(&instance, &SingleInstance::activationRequested, &application,
                     &Application::bringToFront);
    QObject::connect(&instance, &SingleInstance::openRequested, &application, &Application::openFromOutside);
    if (fileToOpen.isEmpty())
        application.start();
    else
        application.startWithFile(fileToOpen);
    if (started)
        started(application);
    return QApplication::exec();
}

} // namespace zkt
