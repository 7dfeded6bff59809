#include "app/document/unsaved_changes.h"

#include <QMessageBox>

namespace zkt {

UnsavedChangesAnswer askToSaveChanges(QWidget* owner, const documenttext::UnsavedChangesQuestion& question) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(question.title),
                    QString::fromStdString(question.question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setObjectName(QStringLiteral("msgSaveChanges"));
    box.setInformativeText(QString::fromStdString(question.detail));
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
