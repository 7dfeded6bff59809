#pragma once
// What a write that stopped early leaves behind, in words.

#include <string>
#include <vector>

namespace zkt {

// "Manual 1 was written; manual 2 may be incomplete (write it again); manual 3 was not
// written." for the manuals a write covers.
std::string writeSummary(const std::vector<int>& written, const std::vector<int>& uncertain,
                         const std::vector<int>& covered);

} // namespace zkt
