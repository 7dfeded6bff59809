#pragma once
// Where the program finds and keeps its files. Everything lives beside the executable, as
// the program always did; an installed program cannot write there, so its settings and log
// move to the user's configuration folder instead of being lost silently.

#include <QString>

namespace zkt {

struct AppPaths {
    QString programFolder;   // the executable's folder: pictures, "genmidi.txt"
    QString storageFolder;   // settings and log: programFolder when writable
    QString documentsFolder; // default of lastFolder
    QString recoveryFolder;  // the copy of unsaved changes: in the user's data folder

    QString settingsFile() const { return storageFolder + QStringLiteral("/ZKTConfig.ini"); }
    QString logFile() const { return storageFolder + QStringLiteral("/ZKTConfig.log"); }
    QString instrumentNameFile() const { return programFolder + QStringLiteral("/genmidi.txt"); }
};

// perUserFolder is where settings go when programFolder is not writable; it is created on
// demand.
AppPaths resolveAppPaths(const QString& programFolder, const QString& perUserFolder,
                         const QString& documentsFolder);

// The paths of this process: the executable's folder, the platform's per-user configuration
// location + "/ZKTConfig", the platform's documents folder, and the program's data location
// + "/recovery".
AppPaths systemAppPaths();

} // namespace zkt
