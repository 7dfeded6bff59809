#include "document/recovery_copy_text.h"

#include "model/config_file.h"

#include <ctime>
#include <nlohmann/json.hpp>

namespace zkt {

namespace {

constexpr const char* documentPathKey = "documentPath";
constexpr const char* documentNameKey = "documentName";
constexpr const char* keptAtKey = "keptAt";
constexpr const char* configurationKey = "configuration";

std::string textOr(const nlohmann::json& copy, const char* key) {
    const auto found = copy.find(key);
    return found != copy.end() && found->is_string() ? found->get<std::string>() : std::string();
}

} // namespace

std::string recoveryCopyText(const ConfigModel& model, std::string_view documentPath,
                             std::string_view documentName, std::chrono::system_clock::time_point keptAt) {
    const nlohmann::json copy = {
        {documentPathKey, documentPath},
        {documentNameKey, documentName},
        {keptAtKey, utcTimeText(keptAt)},
        {configurationKey, configurationText(model)},
    };
    // A name read from a file may hold bytes that are no UTF-8; the copy is kept all the same.
    return copy.dump(4, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::optional<RecoveredChanges> readRecoveryCopy(std::string_view text) {
    const nlohmann::json copy = nlohmann::json::parse(text, nullptr, false);
    if (!copy.is_object())
        return std::nullopt;
    const auto configuration = copy.find(configurationKey);
    if (configuration == copy.end() || !configuration->is_string())
        return std::nullopt;
    return RecoveredChanges{textOr(copy, documentPathKey), textOr(copy, documentNameKey),
                            textOr(copy, keptAtKey), configuration->get<std::string>()};
}

std::string utcTimeText(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[sizeof "YYYY-MM-DDTHH:MM:SSZ" + 8];
    return {text, std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc)};
}

} // namespace zkt
