#pragma once
// The document's words, for the window and the page alike: the title, the Edit menu's entries,
// the messages about files, the question before unsaved changes are set aside, the pistons' and
// manuals' menus and the piston overview. A '&' marks the letter a desktop underlines for
// Alt+letter; a page shows the text without it (editortext::withoutMnemonic).

#include <array>
#include <string>
#include <string_view>

namespace zkt::documenttext {

inline constexpr const char* programTitle = "ZKTConfig by Larkmoor";
// "organ.zkt* - ZKTConfig by Larkmoor", or the program alone without a name; marker stands where
// the title shows that the configuration is modified (the window's "[*]", the page's "*" or "").
std::string windowTitle(std::string_view name, std::string_view marker);

std::string loadedFromOrgan();
std::string recoveredStep();
// Where a text without a file of its own comes from, for errors.
std::string recoveredSource();

// The Edit menu: "&Undo Paste Manual 1 onto Manual 3", or the verb alone when there is no step.
std::string undoVerb();
std::string redoVerb();
// A step's name is the user's text (a file's name may hold a '&'), so it never marks a letter.
std::string stepEntry(std::string_view verb, std::string_view stepName);

std::string fileLoadError();
std::string fileSaveError();
// "disk full : /home/organist/organ.zkt"
std::string fileSaveErrorText(std::string_view error, std::string_view path);
std::string savedTitle();
std::string savedText(std::string_view fileName);

// What is about to set unsaved changes aside.
enum class SetAside { openingAnother, openingBackup, openingFile, loadingFromOrgan, closing };
struct UnsavedChangesQuestion {
    std::string title;
    std::string question; // "Save changes to organ.zkt before opening another configuration?"
    std::string detail;
};
// fileName: the document's file (empty: none); otherFile: the file opened, for openingFile.
UnsavedChangesQuestion unsavedChangesQuestion(std::string_view fileName, SetAside what,
                                              std::string_view otherFile = {});

// The question at the next start when changes were kept for recovery but never saved, and what
// is said when they cannot be kept or opened.
struct RecoveryQuestion {
    std::string title;
    std::string text; // "ZKTConfig ended without saving the changes to organ.zkt. They were kept at …"
    std::string detail;
    std::string recover; // the default, and what Escape or closing the question means
    std::string discard;
};
// shownPath: the file the changes belonged to, as the front end writes paths (empty: none);
// name: what the title called the configuration; keptAt: as keptAtText gives it.
RecoveryQuestion recoveryQuestion(std::string_view shownPath, std::string_view name, std::string_view keptAt);
// "18:30 on 1 May 2024" from the time and the date as the user's own settings write them; "an
// unknown time" when the copy did not say.
std::string keptAtText(std::string_view time, std::string_view date);
// "The unsaved changes could not be recovered: line 2 is not hexadecimal"
std::string recoveryFailedText(std::string_view error);
// "Unsaved changes not kept for recovery: disk full"
std::string copyNotKeptText(std::string_view error);

// The menu of a piston button and of a manual's keyboard.
struct MenuTexts {
    std::string edit;
    std::string copyPiston;
    std::string pastePiston;
    std::string clearPiston;
    std::string copySettings;
    std::string pasteSettings;
    std::string copyManual;
    std::string pasteManual;
};
MenuTexts menuTexts();

// "Manual #2 — Swell keyboard": what a screen reader calls a manual's keyboard picture.
std::string keyboardAccessibleName(std::string_view manualTitle);
// The two sentences over the manuals: 0 the keyboards, 1 the pistons; without a full stop.
std::string instruction(int sentence);
inline constexpr int instructionCount = 2;

// The piston overview.
struct OverviewTexts {
    std::string title;
    std::string filterPlaceholder;
    std::string filterName; // what a screen reader calls the filter
    std::string tableName;
    std::array<std::string, 5> columns; // manual, piston, label, function, detail
};
OverviewTexts overviewTexts();

} // namespace zkt::documenttext
