#pragma once
// What the page draws, as JSON: the organ with every piston's words, and the open editor's
// inputs. Texts are the system's own; the page adds none of its own to them.

#include "web/web_session.h"

#include <nlohmann/json.hpp>

namespace zkt::web {

// {manuals, fileName, documentName, clean, undo, redo, paste: {piston, settings, manual},
//  railLeftTwips: where each piston sits on its rail, manualTitles: ["Manual #1 — Great", …],
//  pistons: [{assigned, label, description, functionText, detail}] for every piston of the
//  manuals shown, the label on one line}
nlohmann::json organView(const WebSession& session);

// {location, note, label, labelOnOneLine, functions: {items, selected}, panel: {...}} of the open
// piston editor.
nlohmann::json pistonEditorView(const PistonForm& form, const std::string& label);

// {location, name, nameOnOneLine, lists, rows, options, archiveInput, archiveChannel} of the open
// keyboard editor.
nlohmann::json keyboardEditorView(int manualIndex, const std::string& name, const KeyboardInputs& inputs);

} // namespace zkt::web
