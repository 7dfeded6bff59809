#pragma once
// Holds what the core answers the page to src/web/page_boundary.json, the declaration the
// page's TypeScript types are made from: a member missing, one not declared, a wrong kind of
// value or a name the page may not send is found here, not in a browser.

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zkt::test {

class PageBoundary {
public:
    PageBoundary() {
        std::ifstream file(ZKT_SOURCE_DIR "/src/web/page_boundary.json");
        if (!file)
            throw std::runtime_error("cannot read src/web/page_boundary.json");
        m_declaration = nlohmann::json::parse(file);
    }

    // What in value does not fit the type ("OrganView", "PistonEditorView|null"); "" if all fits.
    std::string mismatch(const nlohmann::json& value, const std::string& type) const {
        return fits(value, type, "answer");
    }
    std::string sessionAnswerMismatch(const std::string& call, const nlohmann::json& value) const {
        return fits(value, m_declaration.at("sessionAnswers").at(call).get<std::string>(), call);
    }
    std::string linkAnswerMismatch(const std::string& call, const nlohmann::json& value) const {
        return fits(value, m_declaration.at("linkAnswers").at(call).get<std::string>(), call);
    }

    // The names an input of the page's may take ("PistonInput", "SetAside").
    std::vector<std::string> inputNames(const std::string& input) const {
        std::vector<std::string> names;
        for (const std::string& part : alternatives(m_declaration.at("inputs").at(input).get<std::string>()))
            names.push_back(part.substr(1, part.size() - 2));
        return names;
    }

private:
    static std::vector<std::string> alternatives(std::string type) {
        if (const auto comment = type.find(" //"); comment != std::string::npos)
            type.erase(comment);
        std::vector<std::string> parts;
        std::size_t start = 0;
        while (start <= type.size()) {
            const std::size_t bar = std::min(type.find('|', start), type.size());
            std::string part = type.substr(start, bar - start);
            part.erase(0, part.find_first_not_of(' '));
            part.erase(part.find_last_not_of(' ') + 1);
            parts.push_back(part);
            start = bar + 1;
        }
        return parts;
    }

    std::string fits(const nlohmann::json& value, const std::string& type, const std::string& where) const {
        const std::vector<std::string> parts = alternatives(type);
        std::string first;
        for (const std::string& part : parts) {
            std::string why = fitsOne(value, part, where);
            if (why.empty())
                return {};
            if (first.empty())
                first = std::move(why);
        }
        if (parts.size() == 1)
            return first;
        return where + ": " + value.dump().substr(0, 200) + " is none of " + type + " (" + first + ")";
    }

    std::string fitsOne(const nlohmann::json& value, const std::string& part, const std::string& where) const {
        const auto wrong = [&] { return where + ": " + value.dump().substr(0, 200) + " is no " + part; };
        if (part.size() > 2 && part.ends_with("[]")) {
            if (!value.is_array())
                return wrong();
            for (std::size_t i = 0; i < value.size(); ++i)
                if (std::string why = fitsOne(value[i], part.substr(0, part.size() - 2),
                                              where + "[" + std::to_string(i) + "]");
                    !why.empty())
                    return why;
            return {};
        }
        if (part.size() >= 2 && part.front() == '\'')
            return value == part.substr(1, part.size() - 2) ? std::string() : wrong();
        if (part == "true" || part == "false")
            return value.is_boolean() && value.get<bool>() == (part == "true") ? std::string() : wrong();
        if (part == "string")
            return value.is_string() ? std::string() : wrong();
        if (part == "integer")
            return value.is_number_integer() ? std::string() : wrong();
        if (part == "number")
            return value.is_number() ? std::string() : wrong();
        if (part == "boolean")
            return value.is_boolean() ? std::string() : wrong();
        if (part == "null")
            return value.is_null() ? std::string() : wrong();
        const nlohmann::json& types = m_declaration.at("types");
        if (!types.contains(part))
            return where + ": the declaration has no type " + part;
        return fitsDeclared(value, types.at(part), where);
    }

    std::string fitsDeclared(const nlohmann::json& value, const nlohmann::json& declared,
                             const std::string& where) const {
        if (declared.is_string())
            return fits(value, declared.get<std::string>(), where);
        if (declared.is_array()) {
            std::string first;
            for (const nlohmann::json& alternative : declared) {
                std::string why = fitsObject(value, alternative, where);
                if (why.empty())
                    return {};
                if (first.empty())
                    first = std::move(why);
            }
            return where + ": " + value.dump().substr(0, 200) + " is none of its kinds (" + first + ")";
        }
        return fitsObject(value, declared, where);
    }

    // The members of an object's declaration, with those of the type it takes them from.
    nlohmann::json membersOf(const nlohmann::json& declared) const {
        nlohmann::json members = nlohmann::json::object();
        if (declared.contains("..."))
            members = membersOf(m_declaration.at("types").at(declared.at("...").get<std::string>()));
        for (const auto& [name, type] : declared.items())
            if (name != "...")
                members[name] = type;
        return members;
    }

    std::string fitsObject(const nlohmann::json& value, const nlohmann::json& declared,
                           const std::string& where) const {
        if (!value.is_object())
            return where + ": " + value.dump().substr(0, 200) + " is no object";
        const nlohmann::json members = membersOf(declared);
        for (const auto& [name, type] : members.items()) {
            const bool optional = name.ends_with('?');
            const std::string key = optional ? name.substr(0, name.size() - 1) : name;
            if (!value.contains(key)) {
                if (optional)
                    continue;
                return where + ": no member " + key;
            }
            if (std::string why = fitsDeclared(value.at(key), type, where + "." + key); !why.empty())
                return why;
        }
        for (const auto& [key, member] : value.items())
            if (!members.contains(key) && !members.contains(key + "?"))
                return where + ": member " + key + " is not declared";
        return {};
    }

    nlohmann::json m_declaration;
};

} // namespace zkt::test
