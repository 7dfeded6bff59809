#pragma once
// A plausible organ for demonstrations, the simulated encoder chain and tests: every
// manual has enabled channels, shoes and a piston of every kind, and every value encodes.

#include "model/config_model.h"

namespace zkt {

// manuals 1..5; throws std::out_of_range otherwise. Decoding the encoded images into a
// freshly started model gives this model back exactly (numberOfManuals aside).
ConfigModel exampleOrgan(int manuals);

} // namespace zkt
