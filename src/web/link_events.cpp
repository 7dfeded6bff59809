#include "web/link_events.h"

#include "link/status_text.h"

namespace zkt::web {

namespace {

using nlohmann::json;

const char* resultName(TransferOutcome::Result result) {
    switch (result) {
    case TransferOutcome::Result::succeeded:
        return "succeeded";
    case TransferOutcome::Result::failed:
        return "failed";
    case TransferOutcome::Result::cancelled:
        return "cancelled";
    case TransferOutcome::Result::running:
        return "running";
    case TransferOutcome::Result::none:
        break;
    }
    return "none";
}

const char* causeName(TransferOutcome::Cause cause) {
    switch (cause) {
    case TransferOutcome::Cause::cannotEncode:
        return "cannotEncode";
    case TransferOutcome::Cause::portTrouble:
        return "portTrouble";
    case TransferOutcome::Cause::deviceGone:
        return "deviceGone";
    case TransferOutcome::Cause::none:
        break;
    }
    return "none";
}

} // namespace

const char* kindName(TransferKind kind) {
    switch (kind) {
    case TransferKind::load:
        return "load";
    case TransferKind::write:
        return "write";
    case TransferKind::file:
        return "file";
    case TransferKind::none:
        break;
    }
    return "none";
}

const char* purposeName(LoadPurpose purpose) {
    switch (purpose) {
    case LoadPurpose::backup:
        return "backup";
    case LoadPurpose::readBack:
        return "readBack";
    case LoadPurpose::identify:
        return "identify";
    case LoadPurpose::edit:
        break;
    }
    return "edit";
}

json LinkEvents::take() {
    json taken = json::array();
    std::swap(taken, m_events);
    return taken;
}

void LinkEvents::transferStarted(TransferKind kind, LoadPurpose purpose) {
    add({{"type", "started"}, {"kind", kindName(kind)}, {"purpose", purposeName(purpose)}});
}

void LinkEvents::captionChanged(const std::string& caption) {
    add({{"type", "caption"}, {"text", caption}});
}

void LinkEvents::statusReplaced(const std::string& text) {
    StatusText status;
    status.replace(text);
    add({{"type", "replace"}, {"lines", status.lines()}});
}

void LinkEvents::statusLineAdded(const std::string& line) {
    add({{"type", "line"}, {"text", line}});
}

void LinkEvents::statusAppended(const std::string& piece) {
    add({{"type", "append"}, {"text", piece}});
}

void LinkEvents::cancellableChanged(bool cancellable) {
    add({{"type", "cancellable"}, {"value", cancellable}});
}

void LinkEvents::transferFinished(const TransferOutcome& outcome) {
    if (m_onFinished)
        m_onFinished(outcome);
    add({{"type", "finished"},
         {"result", resultName(outcome.result)},
         {"kind", kindName(outcome.kind)},
         {"purpose", purposeName(outcome.purpose)},
         {"cause", causeName(outcome.cause)},
         {"reason", outcome.reason}});
}

void LinkEvents::closingDone() {
    add({{"type", "closingDone"}});
}

} // namespace zkt::web
