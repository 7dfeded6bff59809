#pragma once
// Collects the program data of one manual from its response chunks. Each chunk carries the
// address of its first byte, so its data is placed where it belongs: a repeated chunk changes
// nothing, and a chunk that lost or gained bytes on the way cannot shift the rest of the image.

#include "link/transfer_state.h"

#include <cstdint>
#include <span>

namespace zkt {

// Empties the collection for a request of `length` bytes starting at `address`.
void startProgramCollection(TransferState& transfer, std::uint32_t address, std::int16_t length);

enum class ChunkPlacement {
    placed,
    outsideRequest, // starts before the requested address or runs past its end
    contradicts,    // differs from bytes an earlier chunk filled; all collected data is dropped
};

// Places the unpacked data of a chunk whose first byte is at `address`.
ChunkPlacement placeProgramChunk(TransferState& transfer, std::uint32_t address,
                                 std::span<const std::uint8_t> data);

bool programCollectionComplete(const TransferState& transfer);

} // namespace zkt
