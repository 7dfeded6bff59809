#include "document/document_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt::documenttext {

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
    return "Successfully saved to file: " + std::string(fileName);
}

namespace {

std::string beforeWhat(SetAside what, std::string_view otherFile) {
    switch (what) {
    case SetAside::openingAnother:
        return "opening another configuration";
    case SetAside::openingBackup:
        return "opening a backup";
    case SetAside::openingFile:
        return "opening " + std::string(otherFile);
    case SetAside::loadingFromOrgan:
        return "loading the settings from the ZKT";
    case SetAside::closing:
        break;
    }
    return "closing";
}

} // namespace

UnsavedChangesQuestion unsavedChangesQuestion(std::string_view fileName, SetAside what,
                                              std::string_view otherFile) {
    const std::string document = fileName.empty() ? std::string("the configuration") : std::string(fileName);
    return {"ZKTConfig", "Save changes to " + document + " before " + beforeWhat(what, otherFile) + "?",
            "Your changes will be lost if you don't save them."};
}

RecoveryQuestion recoveryQuestion(std::string_view shownPath, std::string_view name,
                                  std::string_view keptAt) {
    std::string changed = "a configuration that no file holds";
    if (!shownPath.empty())
        changed = std::string(shownPath);
    else if (!name.empty())
        changed = "\u201c" + std::string(name) + "\u201d";
    return {recoveredStep,
            "ZKTConfig ended without saving the changes to " + changed + ". They were kept at " +
                std::string(keptAt) + ".",
            "Recover opens them as unsaved changes; Discard deletes them.", "&Recover", "&Discard"};
}

std::string keptAtText(std::string_view time, std::string_view date) {
    if (time.empty() || date.empty())
        return "an unknown time";
    return std::string(time) + " on " + std::string(date);
}

std::string recoveryFailedText(std::string_view error) {
    return "The unsaved changes could not be recovered: " + std::string(error);
}

std::string copyNotKeptText(std::string_view error) {
    return "Unsaved changes not kept for recovery: " + std::string(error);
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
