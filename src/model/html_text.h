#pragma once
// Text put into the HTML the program writes (the piston chart, the console check's report).

#include <string>
#include <string_view>

namespace zkt {

// The characters HTML reserves in text and in attribute values, as entities.
std::string htmlEscaped(std::string_view plain);

} // namespace zkt
