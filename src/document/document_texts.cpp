#include "document/document_texts.h"

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

std::string keyboardAccessibleName(std::string_view manualTitle) {
    return std::string(manualTitle) + " keyboard";
}

} // namespace zkt::documenttext
