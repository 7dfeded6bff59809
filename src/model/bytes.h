#pragma once
#include <cstdint>
#include <vector>

namespace zkt {
using Bytes = std::vector<std::uint8_t>;
}
