#pragma once
// The configuration files' open and save dialogs. Both start in lastFolder and, when the
// user picks a file, set lastFolder to the folder of that file.

#include <QString>

class QWidget;

namespace zkt {

// "ZKTConfig Config File (*.zkt)"
QString configurationFileFilter();

// The chosen path, or an empty text when the user cancelled.
QString showOpenDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder);
// The path as it will be written, ".zkt" added where the chosen one has no "." at all, or an
// empty text when the user cancelled. An existing file of that name is replaced only when
// the user says so; otherwise the dialog comes back. suggestedPath, when given, is offered.
QString showSaveDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder,
                       const QString& suggestedPath = {});

// The same for a file the program makes for the user (a report): suffix ("html") is added where
// the chosen name has none.
QString showExportDialog(QWidget* owner, const QString& filter, const QString& suffix, const QString& title,
                         QString& lastFolder, const QString& suggestedPath = {});

// The part of the path after its last separator.
QString fileNameOf(const QString& path);

} // namespace zkt
