#include "app/document/document_controller.h"

#include "app/device/status_window.h"
#include "app/document/chart_preview.h"
#include "app/document/config_history.h"
#include "app/document/file_dialogs.h"
#include "app/document/unsaved_changes.h"
#include "app/mainwindow/main_window.h"
#include "link/transfer_engine.h"
#include "model/config_file.h"
#include "model/config_file_check.h"
#include "model/edit_step_texts.h"
#include "settings/user_folders.h"

#include <QDate>
#include <QDir>
#include <QMessageBox>

namespace zkt {

namespace {

const QString loadedFromDevice = QStringLiteral("Settings from the ZKT");

} // namespace

DocumentController::DocumentController(ConfigModel& model, ConfigHistory& history, MainWindow& main,
                                       StatusWindow& status, TransferEngine& engine,
                                       std::function<void(const QString&)> rememberFile)
    : m_model(model), m_history(history), m_main(main), m_status(status), m_engine(engine),
      m_rememberFile(std::move(rememberFile)) {}

void DocumentController::openWithDialog() {
    if (!maySetAsideChanges(QStringLiteral("opening another configuration")))
        return;
    open(showOpenDialog(&m_main, configurationFileFilter(), QStringLiteral("Load Configuration From File"),
                        m_lastFolder));
}

void DocumentController::restoreBackup() {
    if (!maySetAsideChanges(QStringLiteral("opening a backup")))
        return;
    QString backups = QString::fromStdString(backupsFolder().string());
    QDir().mkpath(backups);
    // The backups' folder is not the one the next Open starts in.
    open(showOpenDialog(&m_main, configurationFileFilter(), QStringLiteral("Restore a Backup"), backups),
         FileNames::kept);
}

void DocumentController::open(const QString& path) {
    open(path, FileNames::taken);
}

void DocumentController::open(const QString& path, FileNames names) {
    if (path.isEmpty())
        return;
    const QString name = fileNameOf(path);
    ConfigFileCheck check;
    const ConsoleNames shownNames = m_model.names;
    try {
        m_history.apply(
            [&] {
                readConfigurationFile(path.toStdString(), m_model, check);
                if (names == FileNames::kept)
                    m_model.names = shownNames;
            },
            [&] { return QString::fromStdString(fileOpenStep(name.toStdString())); });
    } catch (const std::exception& error) {
        // The model is as it was; the user learns which file, which line and why.
        QMessageBox::warning(&m_main, QStringLiteral("File Load Error!"), QString::fromStdString(error.what()));
        return;
    }
    m_documentPath = path;
    markUnchanged(name);
    m_rememberFile(path);
    m_status.centreOverMain();
    m_status.setCaption("Loading Program Data from file: " + name.toStdString());
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
    const QString title = QStringLiteral("Recover Unsaved Changes");
    try {
        ConfigFileCheck ignored;
        m_history.apply(
            [&] {
                readConfigurationText(changes.configurationText, "the recovered changes", m_model, ignored);
            },
            [&] { return title; });
    } catch (const std::exception& error) {
        QMessageBox::warning(&m_main, title,
                             QStringLiteral("The unsaved changes could not be recovered: ") +
                                 QString::fromStdString(error.what()));
        return;
    }
    m_documentPath = changes.documentPath;
    showDocumentName(changes.documentName);
    m_main.refreshManualPanels();
    m_main.enableAllCommands();
}

bool DocumentController::save() {
    const QString path = showSaveDialog(&m_main, configurationFileFilter(),
                                        QStringLiteral("Save Configuration To File"), m_lastFolder, m_documentPath);
    if (path.isEmpty())
        return false;
    try {
        writeConfigurationFile(path.toStdString(), m_model);
    } catch (const std::exception& error) {
        QMessageBox::warning(&m_main, QStringLiteral("File Save Error!"),
                             QString::fromStdString(error.what()) + QStringLiteral(" : ") + path);
        return false;
    }
    m_documentPath = path;
    markUnchanged(fileNameOf(path));
    m_rememberFile(path);
    QMessageBox::information(&m_main, QStringLiteral("ZKT Config"),
                             QStringLiteral("Successfully saved to file: ") + fileNameOf(path));
    return true;
}

void DocumentController::printChart() {
    const QString source =
        m_documentPath.isEmpty() ? QStringLiteral("ZKT encoder chain") : fileNameOf(m_documentPath);
    showChartPreview(m_model, ChartTitle{source, QDate::currentDate()}, &m_main);
}

bool DocumentController::maySetAsideChanges(const QString& beforeWhat) {
    // A load that stopped half-way has changed the configuration too.
    m_history.recordOutsideChange();
    if (m_history.isClean())
        return true;
    switch (askToSaveChanges(&m_main, fileNameOf(m_documentPath), beforeWhat)) {
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
    // A write leaves the document as it was: what the organ holds is no file, and changes not
    // saved to the file still are not.
    if (outcome.result != TransferOutcome::Result::succeeded || outcome.kind != TransferKind::load ||
        outcome.purpose != LoadPurpose::edit)
        return;
    m_history.recordOutsideChange();
    m_documentPath.clear();
    markUnchanged(loadedFromDevice);
}

void DocumentController::markUnchanged(const QString& documentName) {
    m_history.setClean();
    showDocumentName(documentName);
}

void DocumentController::showDocumentName(const QString& documentName) {
    m_documentName = documentName;
    m_main.setDocumentName(documentName);
}

} // namespace zkt
