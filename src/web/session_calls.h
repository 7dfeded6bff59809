#pragma once
// The page's calls on the open editor that name the input the user changed, as plain C++: the
// bindings hand them on, and tests make exactly the page's calls. A name no input has is a fault
// in the page and is refused, never ignored.

#include "web/web_session.h"

#include <nlohmann/json.hpp>

#include <string>

namespace zkt::web {

// input: "function", "type", "channel", "value", "all", "bankCheck" or "bankValue" (with the
// row). Returns the piston editor's view after the change, null when none is open. Throws
// std::invalid_argument naming an unknown input.
nlohmann::json choosePistonInput(WebSession& session, const std::string& input, int row, int value);

// input: "on", "keyOffset", "velocityOn", "velocity", "analogInput" and "controller" of channel
// row `row`; "option" bit `row`; "archiveInput", "archiveChannel". Rows, bits and positions
// outside their lists change nothing. Returns the keyboard editor's inputs after the change, null
// when none is open. Throws std::invalid_argument naming an unknown input.
nlohmann::json setKeyboardInput(WebSession& session, const std::string& input, int row, int value);

} // namespace zkt::web
