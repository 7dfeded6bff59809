#include "web/web_session.h"

namespace zkt::web {

ConfigFileCheck WebSession::open(const std::string& fileName, std::string_view text, bool keepNames) {
    return m_document.open(text, fileName, keepNames);
}

std::string WebSession::save(const std::string& fileName) {
    std::string text = m_document.textToSave();
    m_document.saved(fileName);
    return text;
}

std::optional<std::string> WebSession::savePistonEditor(std::string_view typedLabel) {
    if (PistonForm* form = m_document.pistonEditor())
        form->typeLabel(typedLabel);
    return m_document.savePistonEditor();
}

std::optional<std::string> WebSession::saveKeyboardEditor(std::string_view typedName) {
    if (KeyboardForm* form = m_document.keyboardEditor())
        form->typeName(typedName);
    return m_document.saveKeyboardEditor();
}

} // namespace zkt::web
