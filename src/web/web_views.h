#pragma once
// What the page draws, as JSON: the organ with every piston's words, and the open editor's
// inputs. Texts are the system's own; the page adds none of its own to them. Every answer is
// declared in page_boundary.json, which the page's types are made from.

#include "document/document.h"
#include "model/config_file_check.h"
#include "web/page_recovery.h"

#include <nlohmann/json.hpp>

namespace zkt::web {

// {manuals, fileName, documentName, clean, undo, redo, paste: {piston, settings, manual},
//  railLeftTwips: where each piston sits on its rail, manualTitles: ["Manual #1 — Great", …],
//  longestName: the characters a name or label may have,
//  pistons: [{assigned, label, description, functionText, detail}] for every piston of the
//  manuals shown, the label on one line}
nlohmann::json organView(const Document& session);

// The open piston editor: {texts, location, note, label, functions: {items, selected}, panel,
// refusal}; texts holds every caption (without mnemonics), openOn the input to focus first.
nlohmann::json pistonEditorView(const PistonForm& form);

// The open keyboard editor's inputs as they stand: {location, rows (with what each enables),
// options, archiveInput, archiveChannel, refusal}; on opening (whole) also {texts, name, lists},
// which do not change while it is open.
nlohmann::json keyboardEditorView(const KeyboardForm& form, bool whole);

// The words of the page that do not change: file messages' titles, the menus, the overview's.
nlohmann::json documentTextsView();

// {title, question, detail} asked before unsaved changes are set aside by what ("openingAnother",
// "openingBackup", "openingFile" with otherFile, "loadingFromOrgan", "closing"). Throws
// std::invalid_argument for any other what: the page has no such command.
nlohmann::json unsavedChangesQuestionView(const Document& document, const std::string& what,
                                          const std::string& otherFile);

// What the page does about its copy of unsaved changes, in order: [{do: "startTimer", ms},
// {do: "stopTimer"}, {do: "keep", text}, {do: "remove"}, {do: "notKept", error}].
nlohmann::json recoveryWorkView(const std::vector<RecoveryWork>& work, std::chrono::milliseconds delay);

// A copy found in the browser's storage: {documentPath, documentName, keptAt}, or null where the
// text is no copy (another program's entry, a damaged one).
nlohmann::json recoveredChangesView(std::string_view copyText);

// {title, text, detail, recover, discard}; time and date: when the copy was kept, as the user's
// own settings write them (empty: not known).
nlohmann::json recoveryQuestionView(const std::string& documentPath, const std::string& documentName,
                                    const std::string& time, const std::string& date);

// A file read into the session: {ok: true, caption, heading, warnings}.
nlohmann::json openedView(const std::string& fileName, const ConfigFileCheck& check);
// A configuration saved as text: {ok: true, text, message}.
nlohmann::json savedView(std::string text, const std::string& fileName);
// {ok: false, error}
nlohmann::json failureView(const std::string& error);
// An edit stored, or still open with why not: {saved, refusal}.
nlohmann::json editOutcomeView(const std::optional<std::string>& refusal);

} // namespace zkt::web
