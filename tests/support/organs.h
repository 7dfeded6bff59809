#pragma once
// The example organ as a configuration of that many manuals.

#include "model/example_organ.h"

namespace zkt::test {

inline ConfigModel organOf(int manuals) {
    ConfigModel organ = exampleOrgan(manuals);
    organ.numberOfManuals = static_cast<std::int16_t>(manuals);
    return organ;
}

} // namespace zkt::test
