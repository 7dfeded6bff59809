#include "app/shell/window_language.h"

#include "i18n/language.h"
#include "i18n/language_choice.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstdlib>

namespace zkt {

WindowLanguage::WindowLanguage(std::string_view chosen) {
    if (!choose(chosen))
        choose(languageFromEnvironment([](const char* name) { return std::getenv(name); }));
}

bool WindowLanguage::choose(std::string_view language) {
    if (language.empty() || !setLanguage(language))
        return false;
    QCoreApplication::removeTranslator(&m_qtTexts);
    if (language != englishLanguage &&
        m_qtTexts.load(QLocale(QString::fromLatin1(language.data(), static_cast<int>(language.size()))),
                       QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTexts);
    return true;
}

} // namespace zkt
