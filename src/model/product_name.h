#pragma once
// The product's name, from which the texts that name the encoder are composed.

#include <string_view>

namespace zkt {

inline constexpr std::string_view productTag = "ZKT";

} // namespace zkt
