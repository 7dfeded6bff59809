#pragma once
// Everything the page works on: the configuration, its undo history, the clipboard, the file's
// name and the editor that is open. The page holds no state of the organ's own; it asks here.

#include "document/edit_history.h"
#include "model/config_clipboard.h"
#include "model/config_model.h"
#include "model/edit_step_texts.h"
#include "model/keyboard_form.h"
#include "model/piston_form.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zkt::web {

class WebSession {
public:
    WebSession() : m_history(m_model, deviceLoadStep) {}
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    const ConfigModel& model() const { return m_model; }
    const EditHistory& history() const { return m_history; }
    const ConfigClipboard& clipboard() const { return m_clipboard; }
    // The name of the file last opened or saved; empty before any, and after a load from the
    // organ or a write to it.
    const std::string& fileName() const { return m_fileName; }
    // What the configuration is called: the file's name, or where it came from or went.
    const std::string& documentName() const { return m_documentName; }
    int manualsShown() const;

    // Reads text as the file fileName and, when it reads, makes the configuration it holds one
    // step and the clean state. Returns what the read passed over (the file check's warnings).
    // Throws ConfigFileError, changing nothing.
    std::vector<std::string> open(const std::string& fileName, std::string_view text);
    // The .zkt file's contents, for a download under fileName; the configuration is then the
    // clean state. Throws EncodeOverflow, naming the value that does not fit.
    std::string save(const std::string& fileName);

    // What a load from the organ read becomes one step and the clean state, and the device it
    // describes (hardware type, firmware) is the one it was read from.
    void takeFromDevice(const ConfigModel& loaded);
    // A write has put this configuration on the organ: when it is still the one here, it is
    // the clean state.
    void writtenToDevice(const ConfigModel& written);

    void undo() { m_history.undo(); }
    void redo() { m_history.redo(); }

    // Indices outside the manuals shown do nothing.
    void copyPiston(int pistonIndex);
    void pastePiston(int pistonIndex);
    void clearPiston(int pistonIndex);
    void copyManualSettings(int manualIndex);
    void pasteManualSettings(int manualIndex);
    void copyManual(int manualIndex);
    void pasteManual(int manualIndex);

    // The piston's label as typed (typedConsoleName), one step; or why it cannot be one. Indices
    // outside the manuals shown do nothing.
    std::optional<std::string> setPistonLabel(int pistonIndex, std::string_view typed);

    // The editors, one open at a time. Opening an index outside the manuals shown opens nothing.
    bool openPistonEditor(int pistonIndex);
    PistonForm* pistonEditor() { return m_pistonEditor ? &*m_pistonEditor : nullptr; }
    // Stores the editor's piston with the label as the input shows it as one step and closes the
    // editor; or leaves it open and returns why it refuses.
    std::optional<std::string> savePistonEditor(std::string_view typedLabel);

    bool openKeyboardEditor(int manualIndex);
    // The open keyboard editor, for the page to change; null when none is open.
    KeyboardForm* keyboardEditor() { return m_keyboardEditor ? &*m_keyboardEditor : nullptr; }
    // Stores the inputs with the manual's name as the input shows it as one step and closes the
    // editor; or leaves it open and returns why it refuses.
    std::optional<std::string> saveKeyboardEditor(std::string_view typedName);

    void closeEditors();

private:
    bool isShownPiston(int pistonIndex) const;
    bool isShownManual(int manualIndex) const;

    ConfigModel m_model;
    EditHistory m_history;
    ConfigClipboard m_clipboard;
    std::string m_fileName;
    std::string m_documentName;
    std::optional<PistonForm> m_pistonEditor;
    std::optional<KeyboardForm> m_keyboardEditor;
};

} // namespace zkt::web
