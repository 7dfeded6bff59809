#pragma once
// What the page learns of the organ between two of its calls: the transfer engine's events and
// the safe write's questions, collected in order as JSON for the page to take and show. The
// texts are the system's own; the page adds none to them.

#include "link/transfer_events.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>

namespace zkt::web {

class LinkEvents final : public TransferObserver {
public:
    // Called once a transfer's outcome is final, before the event is collected.
    explicit LinkEvents(std::function<void(const TransferOutcome&)> onFinished)
        : m_onFinished(std::move(onFinished)) {}

    void add(nlohmann::json event) { m_events.push_back(std::move(event)); }
    // Everything collected since the last take, oldest first.
    nlohmann::json take();

    void transferStarted(TransferKind kind, LoadPurpose purpose) override;
    void captionChanged(const std::string& caption) override;
    void statusReplaced(const std::string& text) override;
    void statusLineAdded(const std::string& line) override;
    void statusAppended(const std::string& piece) override;
    void cancellableChanged(bool cancellable) override;
    void transferFinished(const TransferOutcome& outcome) override;
    void closingDone() override;

private:
    std::function<void(const TransferOutcome&)> m_onFinished;
    nlohmann::json m_events = nlohmann::json::array();
};

// "load", "write", "file"; "edit", "backup", "readBack", "identify"; as the page names them.
const char* kindName(TransferKind kind);
const char* purposeName(LoadPurpose purpose);

} // namespace zkt::web
