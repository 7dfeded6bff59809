#pragma once
// Every word the page draws itself, in the current language: its toolbar, start screen and
// status area, its own dialogs (backups, chart preview, MIDI setup and monitor, questions), what
// browsers refuse, and its messages. The window's words where both say the same, without the
// '&' of a desktop's Alt key. Texts with %1, %2 have their pieces put in by the page.

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zkt::web {

nlohmann::json pageTexts();
// The choice of language: the current one and every shipped one under its own name.
nlohmann::json languageChoiceView();
// Sets the language the user chose in this browser before (kept), or where that is none or no
// longer shipped, the first shipped of the browser's languages; English when none is.
nlohmann::json chooseLanguage(const std::string& kept, const std::vector<std::string>& browserLanguages);
// "3 backups, the newest first."
std::string backupsCountedText(int count);

} // namespace zkt::web
