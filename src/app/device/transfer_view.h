#pragma once
// How the window shows a transfer: the engine's events become the status window's caption,
// text and Cancel button, and the main window's panels and commands. The window decides
// where the status window goes and when it shows.

#include "link/transfer_events.h"

#include <QObject>
#include <functional>

namespace zkt {

class MainWindow;
class StatusWindow;

class TransferView : public QObject, public TransferObserver {
    Q_OBJECT
public:
    TransferView(MainWindow& main, StatusWindow& status, std::function<bool()> runMidiSetup);

    void transferStarted(TransferKind kind, LoadPurpose purpose) override;
    void captionChanged(const std::string& caption) override;
    void statusReplaced(const std::string& text) override;
    void statusLineAdded(const std::string& line) override;
    void statusAppended(const std::string& piece) override;
    void cancellableChanged(bool cancellable) override;
    void portChoiceNeeded(TransferKind kind) override;
    void retriesResumed() override;
    void transferFinished(const TransferOutcome& outcome) override;
    void closingDone() override;

signals:
    void finished(const zkt::TransferOutcome& outcome);

private:
    MainWindow& m_main;
    StatusWindow& m_status;
    std::function<bool()> m_runMidiSetup;
};

} // namespace zkt
