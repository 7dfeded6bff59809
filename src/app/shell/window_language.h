#pragma once
// The window's language: the one chosen in Options > Language and kept in the settings, or the
// system's where none was chosen; Qt's own words (the buttons of its dialogs) follow it from
// Qt's translations where they are installed.

#include <QTranslator>

#include <string>
#include <string_view>

namespace zkt {

class WindowLanguage {
public:
    // chosen: what the settings keep; empty or not shipped: the system's language.
    explicit WindowLanguage(std::string_view chosen);
    WindowLanguage(const WindowLanguage&) = delete;
    WindowLanguage& operator=(const WindowLanguage&) = delete;

    // False, and nothing changed, for a language that is not shipped.
    bool choose(std::string_view language);

private:
    QTranslator m_qtTexts;
};

} // namespace zkt
