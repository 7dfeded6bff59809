#pragma once
// What a load read from the chain, byte for byte: each manual's image as its MCU holds it and
// the hardware type the MCU gave, so that a write can tell which manuals would change and a
// backup can keep exactly what was there.

#include "model/bytes.h"

#include <cstdint>
#include <vector>

namespace zkt {

struct ChainRead {
    std::vector<Bytes> images; // manual 1 first
    std::vector<std::uint8_t> hardwareTypes;

    int manuals() const { return static_cast<int>(images.size()); }
};

} // namespace zkt
