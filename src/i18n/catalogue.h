#pragma once
// One language's translations, as a .po file gives them: each English text (with its context,
// if it has one) and what it becomes. A text with plural forms keeps them all, in the order the
// catalogue's Plural-Forms numbers them.

#include "i18n/plural_rule.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zkt {

struct CatalogueMessage {
    std::string context;
    std::string english;
    std::string englishPlural; // empty unless the text has plural forms
    std::vector<std::string> translations;
};

class Catalogue {
public:
    // False when the catalogue already holds the text in that context.
    bool add(CatalogueMessage message);
    // The translation of a text, or nullptr when there is none or it is empty.
    const std::string* find(std::string_view context, std::string_view english) const;
    // The form of a text with plural forms that n takes, by the header's Plural-Forms (English's
    // rule where the header has none that reads); nullptr when that form is not translated.
    const std::string* findPlural(std::string_view english, unsigned long n) const;
    // The header's value of a field ("Language", "Plural-Forms"), empty when it has none.
    std::string headerField(std::string_view field) const;
    std::size_t size() const { return m_messages.size(); }

private:
    std::unordered_map<std::string, CatalogueMessage> m_messages;
    PluralRule m_pluralRule;
};

} // namespace zkt
