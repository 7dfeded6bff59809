#pragma once
// JSON as the page takes it. What is not UTF-8 is replaced rather than thrown on: texts from
// files and from the organ reach the page in messages.

#include <nlohmann/json.hpp>

#include <string>

namespace zkt::web {

inline std::string jsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace zkt::web
