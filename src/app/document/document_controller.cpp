#include "app/document/document_controller.h"

#include "i18n/tr.h"

#include "app/device/status_window.h"
#include "app/document/chart_preview.h"
#include "app/document/file_dialogs.h"
#include "app/document/unsaved_changes.h"
#include "app/mainwindow/main_window.h"
#include "document/document.h"
#include "document/document_texts.h"
#include "link/transfer_engine.h"
#include "model/config_file.h"
#include "model/config_file_check.h"
#include "settings/user_folders.h"

#include <QDate>
#include <QDir>
#include <QMessageBox>

namespace zkt {

DocumentController::DocumentController(Document& document, MainWindow& main, StatusWindow& status,
                                       TransferEngine& engine,
                                       std::function<void(const QString&)> rememberFile)
    : m_document(document), m_main(main), m_status(status), m_engine(engine),
      m_rememberFile(std::move(rememberFile)) {}

QString DocumentController::documentPath() const {
    return QString::fromStdString(m_document.path());
}

QString DocumentController::documentName() const {
    return QString::fromStdString(m_document.name());
}

void DocumentController::openWithDialog() {
    if (!maySetAsideChanges(documenttext::SetAside::openingAnother))
        return;
    open(showOpenDialog(&m_main, configurationFileFilter(),
                        QString::fromStdString(zkt::tr("Load Configuration From File")), m_lastFolder));
}

void DocumentController::restoreBackup() {
    if (!maySetAsideChanges(documenttext::SetAside::openingBackup))
        return;
    QString backups = QString::fromStdString(backupsFolder().string());
    QDir().mkpath(backups);
    // The backups' folder is not the one the next Open starts in.
    open(showOpenDialog(&m_main, configurationFileFilter(),
                        QString::fromStdString(zkt::tr("Restore a Backup")), backups),
         true);
}

void DocumentController::open(const QString& path) {
    open(path, false);
}

void DocumentController::open(const QString& path, bool keepNames) {
    if (path.isEmpty())
        return;
    const QString name = fileNameOf(path);
    ConfigFileCheck check;
    try {
        check = m_document.openFile(path.toStdString(), keepNames);
    } catch (const std::exception& error) {
        // The model is as it was; the user learns which file, which line and why.
        QMessageBox::warning(&m_main, QString::fromStdString(documenttext::fileLoadError()),
                             QString::fromStdString(error.what()));
        return;
    }
    showDocumentName();
    m_rememberFile(path);
    m_status.centreOverMain();
    m_status.setCaption(openingFileCaption(name.toStdString()));
    m_status.replaceText(openedFileStatus(name.toStdString(), check));
    // What a damaged file left out stays to be read until the user closes it.
    if (!check.warnings.empty())
        m_status.holdOpen();
    m_status.show();
    m_main.refreshManualPanels();
    m_main.enableAllCommands();
    m_engine.finishFileTransfer();
}

void DocumentController::openRecovered(const UnsavedChanges& changes) {
    const QString title = QString::fromStdString(documenttext::recoveredStep());
    try {
        m_document.openRecovered(changes.configurationText, changes.documentPath.toStdString(),
                                 changes.documentName.toStdString());
    } catch (const std::exception& error) {
        QMessageBox::warning(&m_main, title,
                             QString::fromStdString(documenttext::recoveryFailedText(error.what())));
        return;
    }
    showDocumentName();
    m_main.refreshManualPanels();
    m_main.enableAllCommands();
}

bool DocumentController::save() {
    const QString path = showSaveDialog(&m_main, configurationFileFilter(),
                                        QString::fromStdString(zkt::tr("Save Configuration To File")),
                                        m_lastFolder, documentPath());
    if (path.isEmpty())
        return false;
    try {
        writeConfigurationFile(path.toStdString(), m_document.model());
    } catch (const std::exception& error) {
        QMessageBox::warning(
            &m_main, QString::fromStdString(documenttext::fileSaveError()),
            QString::fromStdString(documenttext::fileSaveErrorText(error.what(), path.toStdString())));
        return false;
    }
    m_document.saved(path.toStdString());
    showDocumentName();
    m_rememberFile(path);
    QMessageBox::information(&m_main, QString::fromStdString(documenttext::savedTitle()),
                             QString::fromStdString(documenttext::savedText(m_document.fileName())));
    return true;
}

void DocumentController::printChart() {
    const QString source = m_document.path().empty() ? QString::fromStdString(zkt::tr("ZKT encoder chain"))
                                                     : QString::fromStdString(m_document.fileName());
    showChartPreview(m_document.model(), ChartTitle{source, QDate::currentDate()}, &m_main);
}

bool DocumentController::maySetAsideChanges(documenttext::SetAside what, const QString& otherFile) {
    if (!m_document.hasUnsavedChanges())
        return true;
    switch (askToSaveChanges(&m_main, documenttext::unsavedChangesQuestion(m_document.fileName(), what,
                                                                           otherFile.toStdString()))) {
    case UnsavedChangesAnswer::save:
        return save();
    case UnsavedChangesAnswer::discard:
        return true;
    case UnsavedChangesAnswer::cancel:
        break;
    }
    return false;
}

void DocumentController::transferFinished(const TransferOutcome& outcome) {
    // Only a load for editing changes the document; a write leaves it as it was.
    if (outcome.result != TransferOutcome::Result::succeeded || outcome.kind != TransferKind::load ||
        outcome.purpose != LoadPurpose::edit)
        return;
    m_document.loadedFromOrgan();
    showDocumentName();
}

void DocumentController::showDocumentName() {
    m_main.setDocumentName(documentName());
}

} // namespace zkt
