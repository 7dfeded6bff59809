// The page's entry to the core: a Session with the calls the page makes. Results that are more
// than a number come back as JSON text; nothing thrown in C++ reaches the page, which gets the
// error's message instead.

#include "chart/html/piston_chart_html.h"
#include "document/document_texts.h"
#include "model/config_file_check.h"
#include "model/config_json.h"
#include "web/json_text.h"
#include "web/web_session.h"
#include "web/web_views.h"

#include <emscripten/bind.h>

#include <exception>

namespace zkt::web {

namespace {

using nlohmann::json;

std::string failure(const std::exception& e) {
    return jsonText({{"ok", false}, {"error", e.what()}});
}

std::string organ(const WebSession& session) {
    return jsonText(organView(session.document()));
}

// keepNames: a backup, which holds only images, keeps the names shown.
std::string open(WebSession& session, const std::string& fileName, const std::string& contents,
                 bool keepNames) {
    try {
        const ConfigFileCheck check = session.open(fileName, contents, keepNames);
        return jsonText({{"ok", true},
                         {"caption", openingFileCaption(fileName)},
                         {"heading", openedFileHeading(fileName, check)},
                         {"warnings", check.warnings}});
    } catch (const std::exception& e) {
        return failure(e);
    }
}

std::string save(WebSession& session, const std::string& fileName) {
    try {
        std::string text = session.save(fileName);
        return jsonText(
            {{"ok", true}, {"text", std::move(text)}, {"message", documenttext::savedText(fileName)}});
    } catch (const std::exception& e) {
        return jsonText({{"ok", false}, {"error", documenttext::fileSaveErrorText(e.what(), fileName)}});
    }
}

std::string texts(const WebSession&) {
    return jsonText(documentTextsView());
}

std::string unsavedChangesQuestion(const WebSession& session, const std::string& what,
                                   const std::string& otherFile) {
    return jsonText(unsavedChangesQuestionView(session.document(), what, otherFile));
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

// input names the control the user changed: "function", "type", "channel", "value", "all",
// "bankCheck" and "bankValue" (with the row). Unknown names change nothing.
std::string choosePistonInput(WebSession& session, const std::string& input, int row, int value) {
    if (PistonForm* form = session.document().pistonEditor()) {
        if (input == "function")
            form->chooseGroup(value);
        else if (input == "type")
            form->chooseType(value);
        else if (input == "channel")
            form->chooseChannel(value);
        else if (input == "value")
            form->chooseValue(value);
        else if (input == "all")
            form->checkAllChannels(value != 0);
        else if (input == "bankCheck")
            form->checkBankRow(row, value != 0);
        else if (input == "bankValue")
            form->chooseBankValue(row, value);
    }
    return pistonEditor(session);
}

std::string savedOrRefused(const std::optional<std::string>& refusal) {
    return jsonText({{"saved", !refusal}, {"refusal", refusal.value_or("")}});
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

// input names the control: "on", "keyOffset", "velocityOn", "velocity", "analogInput" and
// "controller" of channel row `row`; "option" bit `row`; "archiveInput", "archiveChannel".
// Unknown names and rows change nothing; a position no list has reads as no selection.
std::string setKeyboardInput(WebSession& session, const std::string& input, int row, int value) {
    KeyboardForm* form = session.document().keyboardEditor();
    if (form == nullptr)
        return "null";
    const bool on = value != 0;
    if (input == "archiveInput")
        form->chooseArchiveInput(value);
    else if (input == "archiveChannel")
        form->chooseArchiveChannel(value);
    else if (input == "option")
        form->setOption(row, on);
    else if (input == "on")
        form->setChannelOn(row, on);
    else if (input == "keyOffset")
        form->chooseKeyOffset(row, value);
    else if (input == "velocityOn")
        form->setVelocityOn(row, on);
    else if (input == "velocity")
        form->chooseVelocity(row, value);
    else if (input == "analogInput")
        form->chooseAnalogInput(row, value);
    else if (input == "controller")
        form->chooseController(row, value);
    return keyboardEditor(session, false);
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

} // namespace

EMSCRIPTEN_BINDINGS(zkt_core) {
    emscripten::class_<WebSession>("Session")
        .constructor<>()
        .function("organ", &organ)
        .function("texts", &texts)
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
        .function("choosePistonInput", &choosePistonInput)
        .function("savePistonEditor", &savePistonEditor)
        .function("openKeyboardEditor", &openKeyboardEditor)
        .function("setKeyboardInput", &setKeyboardInput)
        .function("saveKeyboardEditor", &saveKeyboardEditor)
        .function("closeEditors", &closeEditors);
}

} // namespace zkt::web
