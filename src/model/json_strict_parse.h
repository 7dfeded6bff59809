#pragma once
// JSON parsing for hand-edited files: a key given twice in one object is an error, where
// the plain parser would silently keep the last value and drop the first.

#include <nlohmann/json.hpp>

#include <string_view>

namespace zkt {

// Throws ConfigJsonError for a syntax error (with its byte position) or a repeated key
// (with the path of its object, such as manuals[1].pistons[4]).
nlohmann::json parseJsonStrictly(std::string_view text);

} // namespace zkt
