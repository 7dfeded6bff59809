#include "link/sysex_codec.h"

#include "model/hex_text.h"

#include <algorithm>

namespace zkt {

namespace {

constexpr std::size_t groupSize = 7;
constexpr std::uint8_t highBit = 0x80;
constexpr std::uint8_t lowSevenBits = 0x7F;

// The header bit owned by the k-th byte of a group (k from 1): 0x40 for the first, 0x01 for the seventh.
constexpr std::uint8_t headerBitOfGroupByte(std::size_t k) {
    return static_cast<std::uint8_t>(1U << (groupSize - k));
}

} // namespace

Bytes pack7(std::span<const std::uint8_t> data) {
    Bytes packed;
    packed.reserve(data.size() + (data.size() + groupSize - 1) / groupSize);
    for (std::size_t groupStart = 0; groupStart < data.size(); groupStart += groupSize) {
        const auto group = data.subspan(groupStart, std::min(groupSize, data.size() - groupStart));
        std::uint8_t header = 0;
        for (std::size_t k = 1; k <= group.size(); ++k) {
            if (group[k - 1] & highBit) {
                header |= headerBitOfGroupByte(k);
            }
        }
        packed.push_back(header);
        for (std::uint8_t byte : group) {
            packed.push_back(byte & lowSevenBits);
        }
    }
    return packed;
}

Bytes unpack7(std::span<const std::uint8_t> packed, const ErrorSink& errors) {
    Bytes data;
    data.reserve(packed.size());
    // Position within the current group of eight: 0 is the header, 1..7 the data bytes.
    std::size_t groupPos = 0;
    std::uint8_t header = 0;
    // One report per message: a garbled message can hold hundreds of bad bytes, and the
    // window shows every report in a box of its own.
    bool reported = false;
    for (std::size_t i = 0; i < packed.size(); ++i) {
        const std::uint8_t byte = packed[i];
        if (byte & highBit) {
            if (errors && !reported) {
                errors("Error in conversion at pos " + std::to_string(i + 1) + ": " + bytesToHex(packed));
                reported = true;
            }
            continue;
        }
        if (groupPos == 0) {
            header = byte;
        } else {
            const bool highBitSet = (header & headerBitOfGroupByte(groupPos)) != 0;
            data.push_back(highBitSet ? static_cast<std::uint8_t>(byte | highBit) : byte);
        }
        groupPos = (groupPos + 1) % (groupSize + 1);
    }
    return data;
}

Bytes encode7bitNumber(std::uint32_t value, int count) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) {
        const int shift = 7 * i;
        bytes.push_back(shift < 32 ? static_cast<std::uint8_t>((value >> shift) & lowSevenBits) : 0);
    }
    return bytes;
}

int decode14(std::uint8_t lo, std::uint8_t hi) {
    return hi * 128 + lo;
}

} // namespace zkt
