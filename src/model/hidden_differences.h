#pragma once
// What an MCU holds that the model shows otherwise: the bytes a decode followed by an encode
// would change. A velocity byte 00 reads as 127, 80 as 255; an entry the decoder does not know
// reads as unassigned; the format byte follows the MCU's hardware type. None of them is a
// setting the editors can show, so a write says each of them in words before it stores what
// is shown. Bytes that no setting uses (reserved bytes, the markers, bank-select rows that hold
// no entry) are not differences: the encoder fills them, and they are never a reason to write.

#include "model/config_model.h"
#include "model/program_image.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zkt {

struct HiddenDifference {
    int position = 0; // first 1-based image byte it is in
    // Whole words, the record first: "Manual 1: the ZKT holds a fixed velocity of 0 on channel
    // 3, shown as 127", "Manual 2, piston 4: the ZKT holds the entry 85 40, ...".
    std::string text;
};

// What the model makes of what manual (1..5) of the chain holds, written back for its MCU:
// decoded, then encoded for hardwareType. held must reach the last byte the decoder reads
// (ImageTooShort otherwise); a shorter image is compared as far as it goes.
ImageBuffer shownImage(std::span<const std::uint8_t> held, int manual, std::uint8_t hardwareType);

// held: what manual (1..5) of the chain holds (at least the bytes the decoder reads, else
// nothing is said); hardwareType: what its MCU reports. Pistons and manuals are called by the
// names given.
std::vector<HiddenDifference> hiddenDifferences(std::span<const std::uint8_t> held, int manual,
                                                std::uint8_t hardwareType, const ConsoleNames& names);

} // namespace zkt
