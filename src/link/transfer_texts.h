#pragma once
// The texts the device link shows in the status window. The product name is part of most of
// them, so they are composed from it in one place.

#include "link/transfer_ui.h"

#include <string>
#include <string_view>

namespace zkt::texts {

inline constexpr std::string_view product = "ZKT";
inline constexpr std::string_view lineBreak = "\r\n";

inline std::string loadingCaption() {
    return "Loading Program Data from " + std::string(product);
}
inline std::string writingCaption() {
    return "Writing Program Data to " + std::string(product);
}

// Starts a new line of the status text, or the text itself when it is still empty.
inline void appendLine(StatusSink& status, std::string_view line) {
    std::string piece = status.text().empty() ? std::string() : std::string(lineBreak);
    piece += line;
    status.appendText(piece);
}

} // namespace zkt::texts
