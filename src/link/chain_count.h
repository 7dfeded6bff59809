#pragma once
// The cabling check's answer: the tag goes round the loop and every MCU adds one to its count,
// so the count that comes back says how many boards the chain has.

#include <cstdint>

namespace zkt {

struct ChainCount {
    // May be 0 (nothing in the loop counted) or more than a chain holds.
    int boards = 0;
    // 1 to 5 boards: a chain the program can work with.
    bool valid = false;
};

ChainCount chainCountFromTag(std::uint8_t returnedCount);

} // namespace zkt
