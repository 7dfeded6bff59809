#include "app/shell/program.h"

#include "app/mainwindow/toolbar_icons.h"
#include "app/shell/app_paths.h"
#include "app/shell/application.h"
#include "app/shell/single_instance.h"
#include "app/shell/window_language.h"
#include "i18n/tr.h"

#include <QApplication>
#include <QCommandLineParser>

namespace zkt {

int runProgram(int argc, char** argv, const std::function<void(Application&)>& started) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZKTConfig"));
    QApplication::setApplicationVersion(QStringLiteral(ZKT_VERSION_TEXT));
    QApplication::setWindowIcon(programIcon());

    QString fileToOpen;
    {
        // --help in the system's language; the window speaks the one its settings keep.
        const WindowLanguage commandLineLanguage{std::string_view{}};
        QCommandLineParser arguments;
        arguments.setApplicationDescription(
            QString::fromStdString(zkt::tr("Configuration for the ZKT organ MIDI encoder.")));
        arguments.addHelpOption();
        arguments.addVersionOption();
        arguments.addPositionalArgument(QStringLiteral("file"),
                                        QString::fromStdString(zkt::tr("A .zkt configuration to open at once.")),
                                        QStringLiteral("[file]"));
        arguments.process(qtApplication);
        const QStringList files = arguments.positionalArguments();
        if (!files.isEmpty())
            fileToOpen = files.first();
    }

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
