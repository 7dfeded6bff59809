#include "app/shell/app_paths.h"
#include "app/shell/application.h"
#include "app/shell/single_instance.h"
#include "app/mainwindow/toolbar_icons.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZKTConfig"));
    QApplication::setApplicationVersion(QStringLiteral(ZKT_VERSION_TEXT));
    QApplication::setWindowIcon(zkt::programIcon());

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
    zkt::SingleInstance instance(zkt::SingleInstance::defaultServerName());
    if (instance.anotherInstance(fileToOpen))
        return 0;

    zkt::Application application(zkt::systemAppPaths());
    QObject::connect(&instance, &zkt::SingleInstance::activationRequested, &application,
                     &zkt::Application::bringToFront);
    QObject::connect(&instance, &zkt::SingleInstance::openRequested, &application,
                     &zkt::Application::openFromOutside);
    if (fileToOpen.isEmpty())
        application.start();
    else
        application.startWithFile(fileToOpen);
    return QApplication::exec();
}
