// The page's entry to the core: a Session with the calls the page makes. Results that are more
// than a number come back as JSON text; nothing thrown in C++ reaches the page, which gets the
// error's message instead.

#include "chart/html/piston_chart_html.h"
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
    return jsonText(organView(session));
}

std::string open(WebSession& session, const std::string& fileName, const std::string& contents) {
    try {
        return jsonText({{"ok", true}, {"warnings", session.open(fileName, contents)}});
    } catch (const std::exception& e) {
        return failure(e);
    }
}

std::string save(WebSession& session, const std::string& fileName) {
    try {
        return jsonText({{"ok", true}, {"text", session.save(fileName)}});
    } catch (const std::exception& e) {
        return failure(e);
    }
}

std::string exportJson(const WebSession& session) {
    return configurationExportText(session.model());
}

std::string chartHtml(const WebSession& session, const std::string& source, int year, int month, int day) {
    return pistonChartHtml(session.model(), {source, {year, month, day}});
}

std::string pistonEditor(WebSession& session) {
    const PistonForm* form = session.pistonEditor();
    return form == nullptr ? "null" : jsonText(pistonEditorView(*form));
}

std::string openPistonEditor(WebSession& session, int pistonIndex) {
    session.openPistonEditor(pistonIndex);
    return pistonEditor(session);
}

// input names the control the user changed: "function", "type", "channel", "value", "all",
// "bankCheck" and "bankValue" (with the row). Unknown names change nothing.
std::string choosePistonInput(WebSession& session, const std::string& input, int row, int value) {
    if (PistonForm* form = session.pistonEditor()) {
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
    return savedOrRefused(session.setPistonLabel(pistonIndex, label));
}

std::string keyboardEditor(WebSession& session, bool whole) {
    const KeyboardForm* form = session.keyboardEditor();
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
    KeyboardForm* form = session.keyboardEditor();
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

} // namespace

EMSCRIPTEN_BINDINGS(zkt_core) {
    emscripten::class_<WebSession>("Session")
        .constructor<>()
        .function("organ", &organ)
        .function("open", &open)
        .function("save", &save)
        .function("exportJson", &exportJson)
        .function("chartHtml", &chartHtml)
        .function("undo", &WebSession::undo)
        .function("redo", &WebSession::redo)
        .function("copyPiston", &WebSession::copyPiston)
        .function("pastePiston", &WebSession::pastePiston)
        .function("clearPiston", &WebSession::clearPiston)
        .function("copyManualSettings", &WebSession::copyManualSettings)
        .function("pasteManualSettings", &WebSession::pasteManualSettings)
        .function("copyManual", &WebSession::copyManual)
        .function("pasteManual", &WebSession::pasteManual)
        .function("setPistonLabel", &setPistonLabel)
        .function("openPistonEditor", &openPistonEditor)
        .function("choosePistonInput", &choosePistonInput)
        .function("savePistonEditor", &savePistonEditor)
        .function("openKeyboardEditor", &openKeyboardEditor)
        .function("setKeyboardInput", &setKeyboardInput)
        .function("saveKeyboardEditor", &saveKeyboardEditor)
        .function("closeEditors", &WebSession::closeEditors);
}

} // namespace zkt::web
