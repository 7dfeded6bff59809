#pragma once
// Helpers for driving the window's widgets in tests.

#include "app/shell/app_paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace zkt::test {

// A program, storage, documents and recovery folder inside one temporary folder.
struct TestFolders {
    QTemporaryDir root;
    AppPaths paths;

    TestFolders() {
        for (const char* name : {"program", "documents"})
            QDir(root.path()).mkpath(QString::fromLatin1(name));
        paths.programFolder = root.path() + QStringLiteral("/program");
        paths.storageFolder = paths.programFolder;
        paths.documentsFolder = root.path() + QStringLiteral("/documents");
        // Where the program itself keeps it when XDG_DATA_HOME is root/data.
        paths.recoveryFolder = root.path() + QStringLiteral("/data/ZKTConfig/recovery");
    }
};

// Runs handler on the next modal window of type Window that opens (a message box, a file
// dialog) and that title, when given, names; from inside that window's own event loop.
// Gives up quietly after about ten seconds of events.
template <class Window>
void onNextModal(std::function<void(Window*)> handler, QString title = {}, int attemptsLeft = 1000) {
    QTimer::singleShot(10, qApp, [handler = std::move(handler), title, attemptsLeft]() mutable {
        auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (modal != nullptr && (title.isEmpty() || modal->windowTitle() == title)) {
            handler(modal);
            return;
        }
        if (attemptsLeft > 0)
            onNextModal<Window>(std::move(handler), title, attemptsLeft - 1);
    });
}

inline void processEvents() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace zkt::test
