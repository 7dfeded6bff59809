#include "model/json_strict_parse.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/config_json_error.h"

#include <set>
#include <string>
#include <vector>

namespace zkt {
namespace {

using nlohmann::json;

// Follows the parser through nested objects and arrays so that a repeated key can be
// reported with the place where it occurs.
class KeyTracker {
public:
    bool onEvent(json::parse_event_t event, const json& parsed) {
        switch (event) {
        case json::parse_event_t::object_start:
            m_frames.push_back({false, {}, {}, 0});
            break;
        case json::parse_event_t::array_start:
            m_frames.push_back({true, {}, {}, 0});
            break;
        case json::parse_event_t::key:
            addKey(parsed.get<std::string>());
            break;
        case json::parse_event_t::object_end:
        case json::parse_event_t::array_end:
            m_frames.pop_back();
            countElement();
            break;
        case json::parse_event_t::value:
            countElement();
            break;
        }
        return true;
    }

private:
    struct Frame {
        bool isArray;
        std::set<std::string, std::less<>> keys;
        std::string currentKey;
        std::size_t elementIndex;
    };

    void addKey(const std::string& name) {
        Frame& frame = m_frames.back();
        if (!frame.keys.insert(name).second) {
            throw ConfigJsonError(
                formatText(tr("%1: key \"%2\" appears twice"), pathOfCurrentObject(), name));
        }
        frame.currentKey = name;
    }

    void countElement() {
        if (!m_frames.empty() && m_frames.back().isArray)
            ++m_frames.back().elementIndex;
    }

    std::string pathOfCurrentObject() const {
        std::string path;
        // Appended piece by piece: GCC 12 at -O3 sees a false overlap in literal + string.
        for (std::size_t i = 0; i + 1 < m_frames.size(); ++i) {
            const Frame& frame = m_frames[i];
            if (frame.isArray) {
                path += '[';
                path += std::to_string(frame.elementIndex);
                path += ']';
            } else {
                if (!path.empty())
                    path += '.';
                path += frame.currentKey;
            }
        }
        return path.empty() ? "top level" : path;
    }

    std::vector<Frame> m_frames;
};

} // namespace

nlohmann::json parseJsonStrictly(std::string_view text) {
    KeyTracker tracker;
    try {
        return json::parse(text, [&tracker](int, json::parse_event_t event, json& parsed) {
            return tracker.onEvent(event, parsed);
        });
    } catch (const json::exception& e) {
        // Syntax errors and numbers too large for any type alike.
        throw ConfigJsonError(formatText(tr("not valid JSON: %1"), e.what()));
    }
}

} // namespace zkt
