#include "app/app_paths.h"
#include "app/application.h"
#include "app/single_instance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZKTConfig"));
    QApplication::setApplicationVersion(QStringLiteral(ZKT_VERSION_TEXT));

    // A second launch only asks the running one to come forward; it reads and writes nothing.
    zkt::SingleInstance instance(zkt::SingleInstance::defaultServerName());
    if (instance.anotherInstance())
        return 0;

    zkt::Application application(zkt::systemAppPaths());
    QObject::connect(&instance, &zkt::SingleInstance::activationRequested, &application,
                     &zkt::Application::bringToFront);
    application.start();
    return QApplication::exec();
}
