// The window's tests run without a display and without touching the user's folders: offscreen
// platform, and runtime, data and temporary folders of their own (the single-instance socket
// lives in the temporary folder, backups of writes in the data folder).

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QString privateRoot = QDir::tempPath() + QStringLiteral("/zkt-app-test-XXXXXX");
    QTemporaryDir root(privateRoot);
    const QString runtimeDir = root.path() + QStringLiteral("/runtime");
    QDir().mkpath(runtimeDir);
    QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit().constData(), 1);
    setenv("TMPDIR", root.path().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", (root.path() + QStringLiteral("/data")).toLocal8Bit().constData(), 1);

    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
