#include "app/shell/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zkt {

namespace {

// QFileInfo::isWritable answers from the permission bits, which lie under root and on
// read-only mounts; creating a file is the only honest test.
bool canCreateFilesIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.zktconfig-write-test-XXXXXX"));
    return probe.open();
}

} // namespace

AppPaths resolveAppPaths(const QString& programFolder, const QString& perUserFolder,
                         const QString& documentsFolder) {
    AppPaths paths;
    paths.programFolder = programFolder;
    paths.documentsFolder = documentsFolder;
    if (canCreateFilesIn(programFolder)) {
        paths.storageFolder = programFolder;
    } else {
        QDir().mkpath(perUserFolder);
        paths.storageFolder = perUserFolder;
    }
    return paths;
}

AppPaths systemAppPaths() {
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                            QStringLiteral("/ZKTConfig");
    AppPaths paths = resolveAppPaths(QCoreApplication::applicationDirPath(), perUser,
                                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    paths.recoveryFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
    return paths;
}

} // namespace zkt
