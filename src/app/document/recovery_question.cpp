#include "app/document/recovery_question.h"

#include "document/document_texts.h"

#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace zkt {

namespace {

QString when(const QDateTime& keptAt) {
    if (!keptAt.isValid())
        return QString::fromStdString(documenttext::keptAtText({}, {}));
    const QLocale locale = QLocale::system();
    return QString::fromStdString(
        documenttext::keptAtText(locale.toString(keptAt.time(), QLocale::ShortFormat).toStdString(),
                                 locale.toString(keptAt.date(), QLocale::LongFormat).toStdString()));
}

} // namespace

RecoveryAnswer askToRecover(QWidget* owner, const UnsavedChanges& changes) {
    const documenttext::RecoveryQuestion question = documenttext::recoveryQuestion(
        QDir::toNativeSeparators(changes.documentPath).toStdString(), changes.documentName.toStdString(),
        when(changes.keptAt).toStdString());
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(question.title),
                    QString::fromStdString(question.text), QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("msgRecoverChanges"));
    box.setInformativeText(QString::fromStdString(question.detail));
    QPushButton* recover = box.addButton(QString::fromStdString(question.recover), QMessageBox::AcceptRole);
    recover->setObjectName(QStringLiteral("cmdRecover"));
    QPushButton* discard =
        box.addButton(QString::fromStdString(question.discard), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("cmdDiscard"));
    box.setDefaultButton(recover);
    box.setEscapeButton(recover);
    box.exec();
    return box.clickedButton() == discard ? RecoveryAnswer::discard : RecoveryAnswer::recover;
}

} // namespace zkt
