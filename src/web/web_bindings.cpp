// The page's entry to the core: a Session with the calls the page makes. Results that are more
// than a number come back as JSON text; nothing thrown in C++ reaches the page, which gets the
// error's message instead.

#include "chart/html/piston_chart_html.h"
#include "document/document_texts.h"
#include "model/config_file_check.h"
#include "model/config_json.h"
#include "web/json_text.h"
#include "web/page_texts.h"
#include "web/session_calls.h"
#include "web/web_session.h"
#include "web/web_views.h"

#include <emscripten/bind.h>

#include <chrono>
#include <exception>
#include <string>
#include <vector>

namespace zkt::web {

namespace {

using nlohmann::json;

std::string organ(const WebSession& session) {
    return jsonText(organView(session.document()));
}

// keepNames: a backup, which holds only images, keeps the names shown.
std::string open(WebSession& session, const std::string& fileName, const std::string& contents,
                 bool keepNames) {
    try {
        return jsonText(openedView(fileName, session.open(fileName, contents, keepNames)));
    } catch (const std::exception& e) {
        return jsonText(failureView(e.what()));
    }
}

std::string save(WebSession& session, const std::string& fileName) {
    try {
        return jsonText(savedView(session.save(fileName), fileName));
    } catch (const std::exception& e) {
        return jsonText(failureView(documenttext::fileSaveErrorText(e.what(), fileName)));
    }
}

// A fault in the page, never the user's: it is told, rather than thrown through the page.
template <typename Call> std::string answered(Call call) {
    try {
        return jsonText(call());
    } catch (const std::invalid_argument& e) {
        return jsonText({{"error", e.what()}});
    }
}

std::string texts(const WebSession&) {
    return jsonText(documentTextsView());
}

std::string unsavedChangesQuestion(const WebSession& session, const std::string& what,
                                   const std::string& otherFile) {
    return answered([&] { return unsavedChangesQuestionView(session.document(), what, otherFile); });
}

std::string exportJson(const WebSession& session) {
    return configurationExportText(session.model());
}

std::string chartHtml(const WebSession& session, const std::string& source, int year, int month, int day) {
    return pistonChartHtml(session.model(), {source, {year, month, day}});
}

std::string pistonEditor(WebSession& session) {
    const PistonForm* form = session.document().pistonEditor();
    return form == nullptr ? "null" : jsonText(pistonEditorView(*form));
}

std::string openPistonEditor(WebSession& session, int pistonIndex) {
    session.openPistonEditor(pistonIndex);
    return pistonEditor(session);
}

std::string pistonInput(WebSession& session, const std::string& input, int row, int value) {
    return answered([&] { return choosePistonInput(session, input, row, value); });
}

std::string savedOrRefused(const std::optional<std::string>& refusal) {
    return jsonText(editOutcomeView(refusal));
}

std::string savePistonEditor(WebSession& session, const std::string& label) {
    return savedOrRefused(session.savePistonEditor(label));
}

std::string setPistonLabel(WebSession& session, int pistonIndex, const std::string& label) {
    return savedOrRefused(session.document().setPistonLabel(pistonIndex, label));
}

std::string keyboardEditor(WebSession& session, bool whole) {
    const KeyboardForm* form = session.document().keyboardEditor();
    return form == nullptr ? "null" : jsonText(keyboardEditorView(*form, whole));
}

std::string openKeyboardEditor(WebSession& session, int manualIndex) {
    session.openKeyboardEditor(manualIndex);
    return keyboardEditor(session, true);
}

std::string keyboardInput(WebSession& session, const std::string& input, int row, int value) {
    return answered([&] { return setKeyboardInput(session, input, row, value); });
}

std::string saveKeyboardEditor(WebSession& session, const std::string& name) {
    return savedOrRefused(session.saveKeyboardEditor(name));
}

// The document's own commands, as the page calls them on the session.
template <auto command> void onDocument(WebSession& session, int index) {
    (session.document().*command)(index);
}

void undo(WebSession& session) {
    session.document().history().undo();
}

void redo(WebSession& session) {
    session.document().history().redo();
}

void closeEditors(WebSession& session) {
    session.document().closeEditors();
}

// The copy of unsaved changes: what the page is to do about it after each call of its own.
std::string recoveryWork(WebSession& session) {
    return jsonText(recoveryWorkView(session.recovery().takeWork(), session.recovery().delay()));
}

std::string recoveryTimerEnded(WebSession& session) {
    session.recovery().timerEnded(std::chrono::system_clock::now());
    return recoveryWork(session);
}

std::string recoveryLeaving(WebSession& session) {
    session.recovery().leaving(std::chrono::system_clock::now());
    return recoveryWork(session);
}

std::string recoveryDiscarded(WebSession& session) {
    session.recovery().changesDiscarded();
    return recoveryWork(session);
}

std::string readRecoveryCopy(const WebSession&, const std::string& copyText) {
    return jsonText(recoveredChangesView(copyText));
}

std::string recoveryQuestion(const WebSession&, const std::string& documentPath,
                             const std::string& documentName, const std::string& time,
                             const std::string& date) {
    return jsonText(recoveryQuestionView(documentPath, documentName, time, date));
}

// The browser refused to keep a copy, for reason.
std::string copyNotKeptText(const WebSession&, const std::string& reason) {
    return documenttext::copyNotKeptText(reason);
}

std::string openRecovered(WebSession& session, const std::string& copyText) {
    try {
        session.recovery().recover(copyText);
        return jsonText({{"ok", true}});
    } catch (const std::exception& e) {
        return jsonText(failureView(documenttext::recoveryFailedText(e.what())));
    }
}

std::string pageTextsText(const WebSession&) {
    return jsonText(pageTexts());
}

// browserLanguages: the browser's languages as a JSON list, most wanted first.
std::string chooseLanguageText(WebSession&, const std::string& kept, const std::string& browserLanguages) {
    std::vector<std::string> preferred;
    const json list = json::parse(browserLanguages, nullptr, false);
    if (list.is_array()) {
        for (const json& tag : list) {
            if (tag.is_string())
                preferred.push_back(tag.get<std::string>());
        }
    }
    return jsonText(chooseLanguage(kept, preferred));
}

std::string backupsCounted(const WebSession&, int count) {
    return backupsCountedText(count);
}

} // namespace

EMSCRIPTEN_BINDINGS(zkt_core) {
    emscripten::class_<WebSession>("Session")
        .constructor<>()
        .function("organ", &organ)
        .function("texts", &texts)
        .function("pageTexts", &pageTextsText)
        .function("chooseLanguage", &chooseLanguageText)
        .function("backupsCounted", &backupsCounted)
        .function("unsavedChangesQuestion", &unsavedChangesQuestion)
        .function("open", &open)
        .function("save", &save)
        .function("exportJson", &exportJson)
        .function("chartHtml", &chartHtml)
        .function("undo", &undo)
        .function("redo", &redo)
        .function("copyPiston", &onDocument<&Document::copyPiston>)
        .function("pastePiston", &onDocument<&Document::pastePiston>)
        .function("clearPiston", &onDocument<&Document::clearPiston>)
        .function("copyManualSettings", &onDocument<&Document::copyManualSettings>)
        .function("pasteManualSettings", &onDocument<&Document::pasteManualSettings>)
        .function("copyManual", &onDocument<&Document::copyManual>)
        .function("pasteManual", &onDocument<&Document::pasteManual>)
        .function("setPistonLabel", &setPistonLabel)
        .function("openPistonEditor", &openPistonEditor)
        .function("choosePistonInput", &pistonInput)
        .function("savePistonEditor", &savePistonEditor)
        .function("openKeyboardEditor", &openKeyboardEditor)
        .function("setKeyboardInput", &keyboardInput)
        .function("saveKeyboardEditor", &saveKeyboardEditor)
        .function("closeEditors", &closeEditors)
        .function("recoveryWork", &recoveryWork)
        .function("recoveryTimerEnded", &recoveryTimerEnded)
        .function("recoveryLeaving", &recoveryLeaving)
        .function("recoveryDiscarded", &recoveryDiscarded)
        .function("readRecoveryCopy", &readRecoveryCopy)
        .function("recoveryQuestion", &recoveryQuestion)
        .function("copyNotKeptText", &copyNotKeptText)
        .function("openRecovered", &openRecovered);
}

} // namespace zkt::web
