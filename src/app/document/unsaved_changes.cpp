#include "app/document/unsaved_changes.h"

#include <QMessageBox>

namespace zkt {

UnsavedChangesAnswer askToSaveChanges(QWidget* owner, const QString& documentName,
                                      const QString& beforeWhat) {
    const QString what = documentName.isEmpty() ? QStringLiteral("the configuration") : documentName;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ZKTConfig"),
                    QStringLiteral("Save changes to %1 before %2?").arg(what, beforeWhat),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setObjectName(QStringLiteral("msgSaveChanges"));
    box.setInformativeText(QStringLiteral("Your changes will be lost if you don't save them."));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChangesAnswer::save;
    case QMessageBox::Discard:
        return UnsavedChangesAnswer::discard;
    default:
        return UnsavedChangesAnswer::cancel;
    }
}

} // namespace zkt
