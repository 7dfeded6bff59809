#pragma once
// The window's side of the document (document/document.h): the file dialogs for opening, saving
// and restoring a backup, the messages about them, printing the chart, the question before
// unsaved changes are set aside, and the title. The document decides what each of them does to
// the configuration; this shows it.

#include "app/document/recovery_copy.h"
#include "document/document_texts.h"
#include "link/transfer_events.h"

#include <QObject>
#include <QString>
#include <functional>

namespace zkt {

class Document;
class MainWindow;
class StatusWindow;
class TransferEngine;

class DocumentController : public QObject {
    Q_OBJECT
public:
    // rememberFile: a file opened or saved heads the recent configurations.
    DocumentController(Document& document, MainWindow& main, StatusWindow& status, TransferEngine& engine,
                       std::function<void(const QString&)> rememberFile);

    // File > Open: asks about unsaved changes, then the open dialog.
    void openWithDialog();
    // File > Restore a Backup...: the open dialog in the backups folder.
    void restoreBackup();
    // Opens the file the user chose (asked about unsaved changes first); nothing for an empty path.
    void open(const QString& path);
    // Shows changes kept from a run that ended without saving them, as unsaved changes to the
    // document they belonged to; says so when they cannot be read.
    void openRecovered(const UnsavedChanges& changes);
    // Answers whether the configuration was saved.
    bool save();
    void printChart();
    // Asks whether to save changes that no file holds before they are closed or replaced (by
    // otherFile, for openingFile); false when the user cancelled, or a save did not succeed.
    bool maySetAsideChanges(documenttext::SetAside what, const QString& otherFile = {});
    void transferFinished(const TransferOutcome& outcome);

    // The file the configuration belongs to (empty when none), and what the title calls it.
    QString documentPath() const;
    QString documentName() const;

    // Where file dialogs start; kept in the settings file.
    QString& lastFolder() { return m_lastFolder; }
    const QString& lastFolder() const { return m_lastFolder; }

private:
    // A backup holds only images: the console's names in the window stay, as after a load.
    void open(const QString& path, bool keepNames);
    // The configuration shown now is what the window's title names.
    void showDocumentName();

    Document& m_document;
    MainWindow& m_main;
    StatusWindow& m_status;
    TransferEngine& m_engine;
    std::function<void(const QString&)> m_rememberFile;
    QString m_lastFolder;
};

} // namespace zkt
