#include "i18n/plural_rule.h"

#include <cctype>
#include <charconv>
#include <string>
#include <vector>

namespace zkt {

// A node of the expression: n, a number, or an operator over its operands.
struct PluralRule::Node {
    enum class Kind { n, number, unary, binary, choice } kind;
    std::string op;
    unsigned long value = 0;
    std::vector<std::shared_ptr<const Node>> operands;

    unsigned long evaluate(unsigned long n) const {
        switch (kind) {
        case Kind::n:
            return n;
        case Kind::number:
            return value;
        case Kind::unary:
            return operands[0]->evaluate(n) == 0 ? 1 : 0;
        case Kind::choice:
            return operands[0]->evaluate(n) != 0 ? operands[1]->evaluate(n) : operands[2]->evaluate(n);
        case Kind::binary:
            break;
        }
        const unsigned long a = operands[0]->evaluate(n);
        // && and || look at their right side only where C does.
        if (op == "&&")
            return a != 0 && operands[1]->evaluate(n) != 0 ? 1 : 0;
        if (op == "||")
            return a != 0 || operands[1]->evaluate(n) != 0 ? 1 : 0;
        const unsigned long b = operands[1]->evaluate(n);
        if (op == "%")
            return b == 0 ? 0 : a % b;
        if (op == "<")
            return a < b;
        if (op == "<=")
            return a <= b;
        if (op == ">")
            return a > b;
        if (op == ">=")
            return a >= b;
        if (op == "==")
            return a == b;
        return a != b;
    }
};

namespace {

using NodePointer = std::shared_ptr<const PluralRule::Node>;
using Kind = PluralRule::Node::Kind;

// Recursive descent over C's precedence: ?: below ||, below &&, below == !=, below < <= > >=,
// below %, below ! and the operands. Nothing on any fault.
class ExpressionReader {
public:
    explicit ExpressionReader(std::string_view text) : m_text(text) {}

    NodePointer readWhole() {
        NodePointer whole = choice();
        skipBlanks();
        return m_position == m_text.size() ? whole : nullptr;
    }

private:
    static constexpr int deepest = 64;

    void skipBlanks() {
        while (m_position < m_text.size() &&
               std::isspace(static_cast<unsigned char>(m_text[m_position])) != 0)
            ++m_position;
    }

    bool take(std::string_view op) {
        skipBlanks();
        if (m_text.substr(m_position, op.size()) != op)
            return false;
        // "<" is not the start of "<=", nor "!" of "!=".
        if (op.size() == 1 && (op == "<" || op == ">" || op == "!") &&
            m_text.substr(m_position + 1, 1) == "=")
            return false;
        m_position += op.size();
        return true;
    }

    static NodePointer joined(Kind kind, std::string op, std::vector<NodePointer> operands) {
        for (const NodePointer& operand : operands) {
            if (!operand)
                return nullptr;
        }
        auto node = std::make_shared<PluralRule::Node>();
        node->kind = kind;
        node->op = std::move(op);
        node->operands = std::move(operands);
        return node;
    }

    NodePointer choice() {
        if (++m_depth > deepest)
            return nullptr;
        NodePointer condition = binary(0);
        if (condition && take("?")) {
            NodePointer yes = choice();
            if (!take(":"))
                return nullptr;
            NodePointer no = choice();
            condition = joined(Kind::choice, "?", {condition, yes, no});
        }
        --m_depth;
        return condition;
    }

    // Levels from the loosest: ||, &&, == !=, < <= > >=, %.
    NodePointer binary(std::size_t level) {
        static const std::vector<std::vector<std::string_view>> levels = {
            {"||"}, {"&&"}, {"==", "!="}, {"<=", ">=", "<", ">"}, {"%"}};
        if (level == levels.size())
            return unary();
        NodePointer left = binary(level + 1);
        for (bool more = true; left && more;) {
            more = false;
            for (const std::string_view op : levels[level]) {
                if (take(op)) {
                    left = joined(Kind::binary, std::string(op), {left, binary(level + 1)});
                    more = true;
                    break;
                }
            }
        }
        return left;
    }

    NodePointer unary() {
        if (++m_depth > deepest)
            return nullptr;
        NodePointer operand;
        if (take("!"))
            operand = joined(Kind::unary, "!", {unary()});
        else
            operand = primary();
        --m_depth;
        return operand;
    }

    NodePointer primary() {
        if (take("(")) {
            NodePointer inner = choice();
            return take(")") ? inner : nullptr;
        }
        skipBlanks();
        if (m_position < m_text.size() && m_text[m_position] == 'n') {
            ++m_position;
            auto node = std::make_shared<PluralRule::Node>();
            node->kind = Kind::n;
            return node;
        }
        unsigned long value = 0;
        const char* begin = m_text.data() + m_position;
        const auto [end, error] = std::from_chars(begin, m_text.data() + m_text.size(), value);
        if (error != std::errc() || end == begin)
            return nullptr;
        m_position += static_cast<std::size_t>(end - begin);
        auto node = std::make_shared<PluralRule::Node>();
        node->kind = Kind::number;
        node->value = value;
        return node;
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    int m_depth = 0;
};

// The value after "name=" up to the next ';' (or the end).
std::string_view fieldValue(std::string_view text, std::string_view name) {
    const std::size_t at = text.find(std::string(name) + "=");
    if (at == std::string_view::npos)
        return {};
    std::string_view value = text.substr(at + name.size() + 1);
    return value.substr(0, value.find(';'));
}

} // namespace

PluralRule::PluralRule() : PluralRule(ExpressionReader("n != 1").readWhole(), 2) {}

PluralRule::PluralRule(std::shared_ptr<const Node> expression, std::size_t forms)
    : m_expression(std::move(expression)), m_forms(forms) {}

std::optional<PluralRule> PluralRule::parse(std::string_view pluralForms) {
    const std::string_view count = fieldValue(pluralForms, "nplurals");
    std::size_t forms = 0;
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), forms);
    if (error != std::errc() || end != count.data() + count.size() || forms == 0 || forms > 16)
        return std::nullopt;
    NodePointer expression = ExpressionReader(fieldValue(pluralForms, "plural")).readWhole();
    if (!expression)
        return std::nullopt;
    return PluralRule(std::move(expression), forms);
}

std::size_t PluralRule::formOf(unsigned long n) const {
    const unsigned long form = m_expression->evaluate(n);
    return form < m_forms ? static_cast<std::size_t>(form) : m_forms - 1;
}

} // namespace zkt
