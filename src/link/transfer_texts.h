#pragma once
// The texts the device link shows as a transfer's progress. The product name is part of most
// of them, so they are composed from it in one place.

#include "model/product_name.h"

#include <string>
#include <string_view>

namespace zkt::texts {

inline constexpr std::string_view product = productTag;

inline std::string loadingCaption() {
    return "Loading Program Data from " + std::string(product);
}
inline std::string writingCaption() {
    return "Writing Program Data to " + std::string(product);
}

} // namespace zkt::texts
