#include "model/config_diff.h"

#include "model/config_json.h"

#include <algorithm>

namespace zkt {
namespace {

using json = nlohmann::ordered_json;

constexpr const char* absent = "(absent)";

// Walks the JSON form, whose keys are the model's field names, so the comparison can never
// fall out of step with the fields that export and import know.
class JsonComparer {
public:
    explicit JsonComparer(std::vector<ConfigDifference>& out) : m_out(out) {}

    // A key only one side has is a difference too: a name or label is left out where there is none.
    void compareRecord(const json& left, const json& right, const std::string& where,
                       const std::string& fieldPrefix) {
        for (const auto& item : left.items()) {
            const std::string field = fieldPrefix + item.key();
            const auto other = right.find(item.key());
            if (other == right.end()) {
                m_out.push_back({where, field, item.value().dump(), absent});
            } else if (item.value().is_object()) {
                compareRecord(item.value(), *other, where, field + ".");
            } else if (item.value() != *other) {
                m_out.push_back({where, field, item.value().dump(), other->dump()});
            }
        }
        for (const auto& item : right.items()) {
            if (!left.contains(item.key()))
                m_out.push_back({where, fieldPrefix + item.key(), absent, item.value().dump()});
        }
    }

    // Both sides come from a model, so their lists always have the same length.
    void compareList(const json& left, const json& right, const std::string& where, const char* entryName) {
        for (std::size_t i = 0; i < left.size(); ++i) {
            compareRecord(left[i], right[i], where + ", " + entryName + " " + std::to_string(i + 1), "");
        }
    }

    void compareManual(const json& left, const json& right, const std::string& where) {
        compareRecord(nameOf(left), nameOf(right), where, "");
        compareRecord(left.at("keyboard"), right.at("keyboard"), where + ", keyboard", "");
        compareList(left.at("channels"), right.at("channels"), where, "channel");
        compareList(left.at("pistons"), right.at("pistons"), where, "piston");
    }

private:
    // The manual's name and compass alone, as a record to compare.
    static json nameOf(const json& manual) {
        json name = json::object();
        for (const char* key : {"name", "compass"}) {
            if (const auto found = manual.find(key); found != manual.end())
                name[key] = *found;
        }
        return name;
    }

    std::vector<ConfigDifference>& m_out;
};

} // namespace

std::vector<ConfigDifference> diffConfigurations(const ConfigModel& left, const ConfigModel& right) {
    const json leftJson = configurationToJson(left);
    const json rightJson = configurationToJson(right);
    const json& leftManuals = leftJson.at("manuals");
    const json& rightManuals = rightJson.at("manuals");

    std::vector<ConfigDifference> differences;
    if (leftManuals.size() != rightManuals.size()) {
        differences.push_back(
            {"", "numberOfManuals", std::to_string(leftManuals.size()), std::to_string(rightManuals.size())});
    }
    JsonComparer comparer(differences);
    const std::size_t most = std::max(leftManuals.size(), rightManuals.size());
    for (std::size_t m = 0; m < most; ++m) {
        const std::string where = "Manual " + std::to_string(m + 1);
        if (m >= leftManuals.size()) {
            differences.push_back({where, "", absent, "present"});
        } else if (m >= rightManuals.size()) {
            differences.push_back({where, "", "present", absent});
        } else {
            comparer.compareManual(leftManuals[m], rightManuals[m], where);
        }
    }
    return differences;
}

std::string formatDifference(const ConfigDifference& difference) {
    std::string text = difference.where;
    if (!difference.field.empty())
        text += (text.empty() ? "" : ": ") + difference.field;
    return text + " " + difference.left + " -> " + difference.right;
}

} // namespace zkt
