#include "document/document_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt::documenttext {

std::string loadedFromOrgan() {
    return tr("Settings from the ZKT");
}

std::string recoveredStep() {
    return tr("Recover Unsaved Changes");
}

std::string recoveredSource() {
    return tr("the recovered changes");
}

std::string undoVerb() {
    return tr("&Undo");
}

std::string redoVerb() {
    return tr("&Redo");
}

std::string fileLoadError() {
    return tr("File Load Error!");
}

std::string fileSaveError() {
    return tr("File Save Error!");
}

std::string savedTitle() {
    return tr("ZKT Config");
}

MenuTexts menuTexts() {
    return {tr("&Edit\u2026"),
            tr("&Copy"),
            tr("&Paste"),
            tr("C&lear (Unassigned)"),
            tr("Copy Manual &Settings"),
            tr("Paste Manual Se&ttings"),
            tr("&Copy Manual"),
            tr("&Paste Manual")};
}

std::string windowTitle(std::string_view name, std::string_view marker) {
    if (name.empty())
        return std::string(programTitle) + std::string(marker);
    return std::string(name) + std::string(marker) + " - " + programTitle;
}

std::string stepEntry(std::string_view verb, std::string_view stepName) {
    if (stepName.empty())
        return std::string(verb);
    std::string entry = std::string(verb) + " ";
    for (const char c : stepName) {
        entry += c;
        if (c == '&')
            entry += '&';
    }
    return entry;
}

std::string fileSaveErrorText(std::string_view error, std::string_view path) {
    return std::string(error) + " : " + std::string(path);
}

std::string savedText(std::string_view fileName) {
    return formatText(tr("Successfully saved to file: %1"), fileName);
}

namespace {

// document: a file's name, or "the configuration" where it has none.
std::string saveChangesQuestion(SetAside what, const std::string& document, std::string_view otherFile) {
    switch (what) {
    case SetAside::openingAnother:
        return formatText(tr("Save changes to %1 before opening another configuration?"), document);
    case SetAside::openingBackup:
        return formatText(tr("Save changes to %1 before opening a backup?"), document);
    case SetAside::openingFile:
        // TRANSLATORS: %2 is the file about to be opened.
        return formatText(tr("Save changes to %1 before opening %2?"), document, otherFile);
    case SetAside::loadingFromOrgan:
        return formatText(tr("Save changes to %1 before loading the settings from the ZKT?"), document);
    case SetAside::closing:
        break;
    }
    return formatText(tr("Save changes to %1 before closing?"), document);
}

} // namespace

UnsavedChangesQuestion unsavedChangesQuestion(std::string_view fileName, SetAside what,
                                              std::string_view otherFile) {
    // TRANSLATORS: put where a file's name stands in "Save changes to %1 before closing?".
    const std::string document = fileName.empty() ? tr("the configuration") : std::string(fileName);
    return {"ZKTConfig", saveChangesQuestion(what, document, otherFile),
            tr("Your changes will be lost if you don't save them.")};
}

RecoveryQuestion recoveryQuestion(std::string_view shownPath, std::string_view name,
                                  std::string_view keptAt) {
    // TRANSLATORS: put where a file's name stands in "ZKTConfig ended without saving the changes
    // to %1."
    std::string changed = tr("a configuration that no file holds");
    if (!shownPath.empty())
        changed = std::string(shownPath);
    else if (!name.empty())
        changed = "\u201c" + std::string(name) + "\u201d";
    // TRANSLATORS: %1 is the file (or what stands for it), %2 when the copy was kept ("18:30 on
    // 1 May 2024").
    return {recoveredStep(),
            formatText(tr("ZKTConfig ended without saving the changes to %1. They were kept at %2."), changed,
                       keptAt),
            tr("Recover opens them as unsaved changes; Discard deletes them."), tr("&Recover"),
            tr("&Discard")};
}

std::string keptAtText(std::string_view time, std::string_view date) {
    if (time.empty() || date.empty())
        return tr("an unknown time");
    // TRANSLATORS: %1 is a time, %2 a date, as the user's own settings write them.
    return formatText(tr("%1 on %2"), time, date);
}

std::string recoveryFailedText(std::string_view error) {
    return formatText(tr("The unsaved changes could not be recovered: %1"), error);
}

std::string copyNotKeptText(std::string_view error) {
    return formatText(tr("Unsaved changes not kept for recovery: %1"), error);
}

std::string keyboardAccessibleName(std::string_view manualTitle) {
    // TRANSLATORS: what a screen reader calls a manual's keyboard picture; %1 is the manual
    // ("Manual #2 — Swell").
    return formatText(tr("%1 keyboard"), manualTitle);
}

std::string instruction(int sentence) {
    return sentence == 0 ? tr("Click on a keyboard to configure its output MIDI channels")
                         : tr("Click on a piston to configure what it does when pressed");
}

OverviewTexts overviewTexts() {
    return {tr("Piston Overview"),
            tr("Filter: part of a label, function or detail, e.g. Coupler"),
            tr("Filter the piston overview"),
            tr("Piston overview"),
            {tr("Manual"), tr("Piston"), tr("Label"), tr("Function"), tr("Detail")}};
}

} // namespace zkt::documenttext
