#include "app/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace zkt {

namespace {

QString runDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder,
                  QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, title, lastFolder, filter);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("dlgOpen")
                                                         : QStringLiteral("dlgSave"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder = QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator();
    return path;
}

} // namespace

QString configurationFileFilter() {
    return QStringLiteral("ZKTConfig Config File (*.zkt)");
}

QString showOpenDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder) {
    return runDialog(owner, filter, title, lastFolder, QFileDialog::AcceptOpen);
}

QString showSaveDialog(QWidget* owner, const QString& filter, const QString& title, QString& lastFolder) {
    return runDialog(owner, filter, title, lastFolder, QFileDialog::AcceptSave);
}

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace zkt
