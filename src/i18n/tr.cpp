#include "i18n/tr.h"

#include "i18n/language.h"

namespace zkt {

std::string tr(std::string_view english) { return tr({}, english); }

std::string translated(std::string_view english) { return tr({}, english); }

std::string trn(std::string_view english, std::string_view englishPlural, unsigned long n) {
    const Catalogue* catalogue = currentCatalogue();
    const std::string* translation = catalogue == nullptr ? nullptr : catalogue->findPlural(english, n);
    if (translation != nullptr)
        return *translation;
    return std::string(n == 1 ? english : englishPlural);
}

std::string tr(std::string_view context, std::string_view english) {
    const Catalogue* catalogue = currentCatalogue();
    const std::string* translation = catalogue == nullptr ? nullptr : catalogue->find(context, english);
    return translation == nullptr ? std::string(english) : *translation;
}

} // namespace zkt
