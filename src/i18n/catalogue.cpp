#include "i18n/catalogue.h"

namespace zkt {

namespace {

// gettext's own way of joining a context to its text: the EOT character between them.
std::string keyOf(std::string_view context, std::string_view english) {
    std::string key;
    if (!context.empty()) {
        key.append(context);
        key.push_back('\x04');
    }
    key.append(english);
    return key;
}

} // namespace

bool Catalogue::add(CatalogueMessage message) {
    std::string key = keyOf(message.context, message.english);
    const bool header = key.empty();
    const bool added = m_messages.emplace(std::move(key), std::move(message)).second;
    if (added && header) {
        if (std::optional<PluralRule> rule = PluralRule::parse(headerField("Plural-Forms")))
            m_pluralRule = std::move(*rule);
    }
    return added;
}

const std::string* Catalogue::findPlural(std::string_view english, unsigned long n) const {
    const auto found = m_messages.find(keyOf({}, english));
    if (found == m_messages.end())
        return nullptr;
    const std::vector<std::string>& forms = found->second.translations;
    const std::size_t form = m_pluralRule.formOf(n);
    return form < forms.size() && !forms[form].empty() ? &forms[form] : nullptr;
}

const std::string* Catalogue::find(std::string_view context, std::string_view english) const {
    const auto found = m_messages.find(keyOf(context, english));
    if (found == m_messages.end() || found->second.translations.empty() ||
        found->second.translations.front().empty())
        return nullptr;
    return &found->second.translations.front();
}

std::string Catalogue::headerField(std::string_view field) const {
    const std::string* header = find({}, {});
    if (header == nullptr)
        return {};
    const std::string prefix = std::string(field) + ":";
    std::string_view rest = *header;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.starts_with(prefix)) {
            line.remove_prefix(prefix.size());
            while (line.starts_with(' '))
                line.remove_prefix(1);
            return std::string(line);
        }
    }
    return {};
}

} // namespace zkt
