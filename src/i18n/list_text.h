#pragma once
// A list in a sentence, joined as the current language joins one: "A, B and C", "A, B or C".

#include <string>
#include <vector>

namespace zkt {

enum class ListJoin { all, either };

std::string listText(const std::vector<std::string>& items, ListJoin join);

} // namespace zkt
