#pragma once
// The configuration as a document, the same for the window and the page: its undo history, the
// file it belongs to and what the title calls it, the clipboard, every editing command as one
// named step, the one editor that is open, and what opening, saving, loading and writing do to
// it. The front ends draw it and ask; none of them decides any of this again.

#include "document/edit_history.h"
#include "model/config_clipboard.h"
#include "model/config_file_check.h"
#include "model/config_model.h"
#include "model/keyboard_form.h"
#include "model/piston_form.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zkt {

class Document {
public:
    // The window shares model with its transfer engine, which lands a load in it manual by
    // manual; the page hands a copy over once a load has ended (takeFromOrgan).
    explicit Document(ConfigModel& model);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    ConfigModel& model() { return m_model; }
    const ConfigModel& model() const { return m_model; }
    EditHistory& history() { return m_history; }
    const EditHistory& history() const { return m_history; }
    const ConfigClipboard& clipboard() const { return m_clipboard; }
    // The manuals the front ends show, and every command and editor reaches.
    int manualsShown() const;

    // The file last opened or saved: its path as the front end knows it (the page: its name),
    // empty since a load from the organ or before any file.
    const std::string& path() const { return m_path; }
    // The path's last part.
    std::string fileName() const;
    // What the title calls the configuration: the file's name, "Settings from the ZKT", or the
    // name of the document recovered changes belonged to.
    const std::string& name() const { return m_name; }
    // Whether anything not saved would be lost by closing or replacing it; a load stopped half way
    // counts.
    bool hasUnsavedChanges();

    // A .zkt file's text, read as the file at path: one step and the clean state. A backup holds
    // only images, so with keepNames the names shown stay. Throws ConfigFileError, changing nothing.
    ConfigFileCheck open(std::string_view text, const std::string& path, bool keepNames = false);
    // The same, reading the file.
    ConfigFileCheck openFile(const std::string& path, bool keepNames = false);
    // What a save writes; throws EncodeOverflow naming the value that does not fit.
    std::string textToSave() const;
    // The text was saved to path: it is the clean state, named by the file.
    void saved(const std::string& path);
    // Changes kept from a run that ended without saving them: one step, still unsaved, belonging
    // to the document they belonged to. Throws ConfigFileError, changing nothing.
    void openRecovered(std::string_view configurationText, const std::string& path, const std::string& name);
    // A load from the organ for editing has ended: in the model (the window) or in loaded (the
    // page). One step and the clean state, with no file. A write changes nothing here: what the
    // organ holds is no file, and changes not saved to the file still are not.
    void loadedFromOrgan();
    void takeFromOrgan(const ConfigModel& loaded);

    // The commands of the pistons' and manuals' menus, each one step; indices beyond the manuals
    // shown do nothing.
    void copyPiston(int pistonIndex);
    void pastePiston(int pistonIndex);
    void clearPiston(int pistonIndex);
    void copyManualSettings(int manualIndex);
    void pasteManualSettings(int manualIndex);
    void copyManual(int manualIndex);
    void pasteManual(int manualIndex);
    // The label typed in the piston overview, one step; or why it cannot be one.
    std::optional<std::string> setPistonLabel(int pistonIndex, std::string_view typed);

    // The editors, one open at a time; opening one closes the other. Null beyond the manuals shown.
    PistonForm* openPistonEditor(int pistonIndex);
    PistonForm* pistonEditor() { return m_pistonEditor ? &*m_pistonEditor : nullptr; }
    KeyboardForm* openKeyboardEditor(int manualIndex);
    KeyboardForm* keyboardEditor() { return m_keyboardEditor ? &*m_keyboardEditor : nullptr; }
    // Stores what the open editor saves as one step and closes it; or leaves it open and returns
    // why it refuses (the form keeps the refusal too).
    std::optional<std::string> savePistonEditor();
    std::optional<std::string> saveKeyboardEditor();
    void closeEditors();

private:
    bool isShownPiston(int pistonIndex) const;
    bool isShownManual(int manualIndex) const;
    // Names the configuration after path, or after what it is when it has no file.
    void named(const std::string& path, const std::string& name);
    ConfigFileCheck openWith(const std::string& path, bool keepNames,
                             const std::function<void(ConfigFileCheck&)>& read);

    ConfigModel& m_model;
    EditHistory m_history;
    ConfigClipboard m_clipboard;
    std::string m_path;
    std::string m_name;
    std::optional<PistonForm> m_pistonEditor;
    std::optional<KeyboardForm> m_keyboardEditor;
};

// The last part of a path, after its last '/' or '\' (a page's file has no folder).
std::string fileNameOfPath(std::string_view path);

} // namespace zkt
