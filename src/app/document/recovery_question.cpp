#include "app/document/recovery_question.h"

#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace zkt {

namespace {

QString whatChanged(const UnsavedChanges& changes) {
    if (!changes.documentPath.isEmpty())
        return QDir::toNativeSeparators(changes.documentPath);
    if (!changes.documentName.isEmpty())
        return QStringLiteral("\u201c%1\u201d").arg(changes.documentName);
    return QStringLiteral("a configuration that no file holds");
}

QString when(const QDateTime& keptAt) {
    if (!keptAt.isValid())
        return QStringLiteral("an unknown time");
    const QLocale locale = QLocale::system();
    return QStringLiteral("%1 on %2")
        .arg(locale.toString(keptAt.time(), QLocale::ShortFormat),
             locale.toString(keptAt.date(), QLocale::LongFormat));
}

} // namespace

RecoveryAnswer askToRecover(QWidget* owner, const UnsavedChanges& changes) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Recover Unsaved Changes"),
                    QStringLiteral("ZKTConfig ended without saving the changes to %1. They were kept at %2.")
                        .arg(whatChanged(changes), when(changes.keptAt)),
                    QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("msgRecoverChanges"));
    box.setInformativeText(QStringLiteral("Recover opens them as unsaved changes; Discard deletes them."));
    QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    recover->setObjectName(QStringLiteral("cmdRecover"));
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("cmdDiscard"));
    box.setDefaultButton(recover);
    box.setEscapeButton(recover);
    box.exec();
    return box.clickedButton() == discard ? RecoveryAnswer::discard : RecoveryAnswer::recover;
}

} // namespace zkt
