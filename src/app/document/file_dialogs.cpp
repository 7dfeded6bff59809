#include "app/document/file_dialogs.h"

#include "i18n/tr.h"
#include "model/config_file.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <functional>

namespace zkt {

namespace {

// The folder, or its nearest ancestor that still exists (a folder that has gone would be
// offered as a file name instead), or the home folder.
QString existingFolder(const QString& folder) {
    QFileInfo candidate(folder);
    while (!candidate.isDir()) {
        const QString parent = candidate.absolutePath();
        if (folder.isEmpty() || parent == candidate.absoluteFilePath())
            return QDir::homePath();
        candidate.setFile(parent);
    }
    return candidate.absoluteFilePath();
}

QString runDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder,
                  QFileDialog::AcceptMode mode, const QString& suggestedPath = {},
                  const QString& suffix = {}) {
    QFileDialog dialog(owner, title, existingFolder(lastFolder), filter);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("dlgOpen")
                                                         : QStringLiteral("dlgSave"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The dialog would ask about the name as typed, before an extension is added: the question
    // about the name as written is asked afterwards instead.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, mode == QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (!suggestedPath.isEmpty())
        dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder = QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator();
    return path;
}

bool confirmReplace(QWidget* owner, const QString& title, const QString& path) {
    const QFileInfo file(path);
    QMessageBox box(QMessageBox::Warning, title,
                    QStringLiteral("%1 already exists in %2.\nDo you want to replace it?")
                        .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName(QStringLiteral("msgReplace"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

QString configurationFileFilter() {
    return QString::fromStdString(zkt::tr("ZKTConfig Config File (*.zkt)"));
}

QString showOpenDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder) {
    return runDialog(owner, filter, title, lastFolder, QFileDialog::AcceptOpen);
}

namespace {

// Asks until the user cancels, or names a file that is new or may be replaced.
QString askForNewFile(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder,
                      const QString& suggestedPath, const QString& suffix,
                      const std::function<QString(const QString&)>& written) {
    QString offered = suggestedPath;
    for (;;) {
        const QString chosen =
            runDialog(owner, filter, title, lastFolder, QFileDialog::AcceptSave, offered, suffix);
        if (chosen.isEmpty())
            return {};
        const QString path = written(chosen);
        if (!QFileInfo::exists(path) || confirmReplace(owner, title, path))
            return path;
        offered = path;
    }
}

} // namespace

QString showSaveDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder,
                       const QString& suggestedPath) {
    return askForNewFile(owner, filter, title, lastFolder, suggestedPath, {}, [](const QString& chosen) {
        return QString::fromStdString(withZktExtension(chosen.toStdString()));
    });
}

QString showExportDialog(QWidget* owner, const QString& filter, const QString& suffix, const QString& title,
                         QString& lastFolder, const QString& suggestedPath) {
    return askForNewFile(owner, filter, title, lastFolder, suggestedPath, suffix,
                         [](const QString& chosen) { return chosen; });
}

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace zkt
