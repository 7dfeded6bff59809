#include "i18n/language.h"

#include "i18n/po_reader.h"
#include "i18n/shipped_catalogues.h"
#include "i18n/tr.h"

#include <atomic>
#include <stdexcept>

namespace zkt {

namespace {

struct ReadCatalogue {
    std::string_view language;
    Catalogue catalogue;
};

// Read once, the first time a language other than English is chosen. A shipped catalogue that
// does not read is a fault of the build; the catalogues' tests read every one.
const std::vector<ReadCatalogue>& readCatalogues() {
    static const std::vector<ReadCatalogue> catalogues = [] {
        std::vector<ReadCatalogue> read;
        for (const ShippedCatalogue& shipped : shippedCatalogues()) {
            try {
                std::string text;
                for (const std::string_view part : shipped.poParts)
                    text += part;
                read.push_back({shipped.language, readPo(text)});
            } catch (const PoError& error) {
                throw std::runtime_error("po/" + std::string(shipped.language) + ".po, " + error.what());
            }
        }
        return read;
    }();
    return catalogues;
}

std::atomic<const ReadCatalogue*> current{nullptr};

} // namespace

std::vector<std::string_view> shippedLanguages() {
    std::vector<std::string_view> languages{englishLanguage};
    for (const ShippedCatalogue& shipped : shippedCatalogues())
        languages.push_back(shipped.language);
    return languages;
}

std::string languageName(std::string_view language) {
    // The catalogue's context, spelt again below, where the catalogue's tools read it.
    static constexpr const char* context = "language name";
    // TRANSLATORS: the name of your language in your language ("Deutsch"), as the choice of
    // languages lists it.
    static constexpr const char* english = untranslated("language name", "English");
    if (language == englishLanguage)
        return english;
    for (const ReadCatalogue& read : readCatalogues()) {
        if (read.language != language)
            continue;
        const std::string* name = read.catalogue.find(context, english);
        return name == nullptr ? std::string(language) : *name;
    }
    return std::string(language);
}

bool setLanguage(std::string_view language) {
    if (language == englishLanguage) {
        current = nullptr;
        return true;
    }
    for (const ReadCatalogue& read : readCatalogues()) {
        if (read.language == language) {
            current = &read;
            return true;
        }
    }
    return false;
}

std::string_view currentLanguage() {
    const ReadCatalogue* read = current;
    return read == nullptr ? englishLanguage : read->language;
}

const Catalogue* currentCatalogue() {
    const ReadCatalogue* read = current;
    return read == nullptr ? nullptr : &read->catalogue;
}

InEnglish::InEnglish() : m_before(currentLanguage()) {
    setLanguage(englishLanguage);
}

InEnglish::~InEnglish() {
    setLanguage(m_before);
}

} // namespace zkt
