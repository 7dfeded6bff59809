#pragma once
// The catalogues the program ships, one .po file of po/ each, put into the library when it is
// built (embed_catalogues.cmake), so that no front end reads a file for them.

#include <span>
#include <string_view>

namespace zkt {

struct ShippedCatalogue {
    std::string_view language; // the file's name: "de" for po/de.po
    // The file's text, in the order of its parts.
    std::span<const std::string_view> poParts;
};

std::span<const ShippedCatalogue> shippedCatalogues();

} // namespace zkt
