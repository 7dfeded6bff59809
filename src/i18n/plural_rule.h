#pragma once
// Which plural form a number takes in a language, as the catalogue's header says it: the
// expression of "Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 ? 1 : 2);",
// in C's own syntax (n, numbers, ! % < <= > >= == != && || ?: and brackets).

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

namespace zkt {

class PluralRule {
public:
    // English's rule: one, and everything else.
    PluralRule();
    // The rule a Plural-Forms field gives; nothing where it does not read or would pick a form
    // the field does not have.
    static std::optional<PluralRule> parse(std::string_view pluralForms);

    // The form for n, counted from 0: always below forms().
    std::size_t formOf(unsigned long n) const;
    std::size_t forms() const { return m_forms; }

    struct Node;

private:
    PluralRule(std::shared_ptr<const Node> expression, std::size_t forms);

    std::shared_ptr<const Node> m_expression;
    std::size_t m_forms = 2;
};

} // namespace zkt
