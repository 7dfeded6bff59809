#pragma once
// What the page works on: the configuration and its document (document/document.h), which holds
// the history, the clipboard, the file's name, the commands and the open editor, and the copy of
// its unsaved changes (page_recovery.h). This adapts them to the page's calls; the page holds no
// state of the organ's own and decides nothing itself.

#include "document/document.h"
#include "model/config_model.h"
#include "web/page_recovery.h"

#include <string>
#include <string_view>
#include <vector>

namespace zkt::web {

class WebSession {
public:
    WebSession() = default;
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    Document& document() { return m_document; }
    const Document& document() const { return m_document; }
    const ConfigModel& model() const { return m_model; }
    PageRecovery& recovery() { return m_recovery; }

    // Reads text as the file fileName: one step and the clean state. Returns what the read passed
    // over. Throws ConfigFileError, changing nothing. A backup keeps the names shown.
    ConfigFileCheck open(const std::string& fileName, std::string_view text, bool keepNames = false);
    // The .zkt file's contents, for a download under fileName; the configuration is then the
    // clean state. Throws EncodeOverflow, naming the value that does not fit.
    std::string save(const std::string& fileName);

    // The editors, with the name or label as its input shows it when saved.
    bool openPistonEditor(int pistonIndex) { return m_document.openPistonEditor(pistonIndex) != nullptr; }
    std::optional<std::string> savePistonEditor(std::string_view typedLabel);
    bool openKeyboardEditor(int manualIndex) { return m_document.openKeyboardEditor(manualIndex) != nullptr; }
    std::optional<std::string> saveKeyboardEditor(std::string_view typedName);

private:
    ConfigModel m_model;
    Document m_document{m_model};
    PageRecovery m_recovery{m_document};
};

} // namespace zkt::web
