#include "i18n/po_reader.h"

#include <optional>

namespace zkt {

PoError::PoError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem), m_line(line) {}

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

int digitValue(char c, int base) {
    int value = 36;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The character an escape stands for, reading its digits (up to three octal, up to two hex).
char escaped(std::string_view text, std::size_t& at, int line) {
    const char c = text[at++];
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'r': return '\r';
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'v': return '\v';
    case '\\':
    case '"':
    case '\'':
    case '?': return c;
    default: break;
    }
    const bool hex = c == 'x';
    const int base = hex ? 16 : 8;
    if (!hex)
        --at;
    int value = 0;
    int digits = 0;
    for (; digits < (hex ? 2 : 3) && at < text.size() && digitValue(text[at], base) >= 0; ++digits)
        value = value * base + digitValue(text[at++], base);
    if (digits == 0)
        throw PoError(line, std::string("unknown escape \\") + c);
    if (value > 0xff)
        throw PoError(line, "an octal escape above \\377");
    return static_cast<char>(value);
}

// One quoted string and nothing after it but spaces.
std::string quoted(std::string_view text, int line) {
    text = trimmed(text);
    if (!text.starts_with('"'))
        throw PoError(line, "a string in double quotes was expected");
    std::string value;
    std::size_t at = 1;
    while (at < text.size() && text[at] != '"') {
        if (text[at] != '\\') {
            value.push_back(text[at++]);
            continue;
        }
        if (++at == text.size())
            break;
        value.push_back(escaped(text, at, line));
    }
    if (at >= text.size())
        throw PoError(line, "the string has no closing quote");
    if (!trimmed(text.substr(at + 1)).empty())
        throw PoError(line, "text after the string's closing quote");
    return value;
}

// The entry being read: where it began, and what of it has been read.
struct Entry {
    CatalogueMessage message;
    int line = 0;
    bool fuzzy = false;
    bool hasEnglish = false;
    bool hasPlural = false;
};

class Reader {
public:
    Catalogue read(std::string_view text) {
        int line = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            ++line;
            takeLine(trimmed(text.substr(0, end)), line);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        }
        finishEntry(line);
        return std::move(m_catalogue);
    }

private:
    void takeLine(std::string_view line, int number) {
        if (line.empty() || line.starts_with("#~"))
            return;
        if (line.starts_with("#,")) {
            m_nextFuzzy = m_nextFuzzy || isFuzzy(line.substr(2));
            return;
        }
        if (line.starts_with('#'))
            return;
        if (line.starts_with('"')) {
            if (m_last == nullptr)
                throw PoError(number, "a string that belongs to no msgid or msgstr");
            m_last->append(quoted(line, number));
            return;
        }
        const std::size_t space = line.find_first_of(" \t\"");
        const std::string_view keyword = line.substr(0, space);
        const std::string value = quoted(space == std::string_view::npos ? "" : line.substr(space), number);
        takeKeyword(keyword, value, number);
    }

    void takeKeyword(std::string_view keyword, const std::string& value, int line) {
        if (keyword == "msgctxt") {
            beginEntry(line);
            m_last = &(m_entry->message.context = value);
        } else if (keyword == "msgid") {
            if (!m_entry || m_entry->hasEnglish)
                beginEntry(line);
            m_entry->hasEnglish = true;
            m_last = &(m_entry->message.english = value);
        } else if (keyword == "msgid_plural") {
            if (!m_entry || !m_entry->hasEnglish || m_entry->hasPlural || translated())
                throw PoError(line, "msgid_plural must follow a msgid");
            m_entry->hasPlural = true;
            m_last = &(m_entry->message.englishPlural = value);
        } else if (keyword == "msgstr") {
            if (!m_entry || !m_entry->hasEnglish || translated())
                throw PoError(line, "msgstr must follow a msgid");
            if (m_entry->hasPlural)
                throw PoError(line, "a text with msgid_plural needs msgstr[0], msgstr[1]...");
            m_last = &m_entry->message.translations.emplace_back(value);
        } else if (const std::optional<std::size_t> form = pluralForm(keyword)) {
            if (!m_entry || !m_entry->hasPlural)
                throw PoError(line, "msgstr[n] must follow a msgid_plural");
            if (*form != m_entry->message.translations.size())
                throw PoError(line, "msgstr[" + std::to_string(m_entry->message.translations.size()) +
                                        "] was expected");
            m_last = &m_entry->message.translations.emplace_back(value);
        } else {
            throw PoError(line, "unknown keyword '" + std::string(keyword) + "'");
        }
    }

    static bool isFuzzy(std::string_view flags) {
        while (!flags.empty()) {
            const std::size_t comma = flags.find(',');
            if (trimmed(flags.substr(0, comma)) == "fuzzy")
                return true;
            flags = comma == std::string_view::npos ? std::string_view{} : flags.substr(comma + 1);
        }
        return false;
    }

    static std::optional<std::size_t> pluralForm(std::string_view keyword) {
        constexpr std::string_view prefix = "msgstr[";
        if (!keyword.starts_with(prefix) || !keyword.ends_with(']') || keyword.size() < prefix.size() + 2 ||
            keyword.size() > prefix.size() + 3)
            return std::nullopt;
        std::size_t form = 0;
        for (char c : keyword.substr(prefix.size(), keyword.size() - prefix.size() - 1)) {
            if (digitValue(c, 10) < 0)
                return std::nullopt;
            form = form * 10 + static_cast<std::size_t>(c - '0');
        }
        return form;
    }

    bool translated() const { return m_entry && !m_entry->message.translations.empty(); }

    void beginEntry(int line) {
        if (m_entry && !translated() && !m_entry->hasEnglish)
            throw PoError(line, "a msgctxt without its msgid");
        finishEntry(line);
        m_entry.emplace();
        m_entry->line = line;
        m_entry->fuzzy = m_nextFuzzy;
        m_nextFuzzy = false;
    }

    void finishEntry(int line) {
        if (!m_entry)
            return;
        if (!translated())
            throw PoError(line, "the msgid of line " + std::to_string(m_entry->line) + " has no msgstr");
        if (!m_entry->fuzzy && !m_catalogue.add(std::move(m_entry->message)))
            throw PoError(m_entry->line, "this text is in the catalogue twice");
        m_entry.reset();
        m_last = nullptr;
    }

    Catalogue m_catalogue;
    std::optional<Entry> m_entry;
    std::string* m_last = nullptr;
    bool m_nextFuzzy = false;
};

} // namespace

Catalogue readPo(std::string_view text) { return Reader().read(text); }

} // namespace zkt
