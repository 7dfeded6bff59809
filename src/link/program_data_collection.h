#pragma once
// Collects the program data of one manual from its response chunks. Boards answer in one of
// two ways: each chunk carries the address of its own first byte, or every chunk repeats the
// request's address. The first way is placed by address, so a repeated chunk changes nothing
// and a chunk that lost or gained bytes cannot shift the rest; the second is recognised when a
// different chunk arrives for the request's address after the first, and from then on chunks
// are appended in the order they arrive.

#include "link/transfer_state.h"

#include <cstdint>
#include <span>

namespace zkt {

// Empties the collection for a request of `length` bytes starting at `address`.
void startProgramCollection(TransferState& transfer, std::uint32_t address, std::int16_t length);

enum class ChunkPlacement {
    placed,
    duplicate,      // the same bytes again for a place already filled
    outsideRequest, // starts before the requested address or runs past its end
    contradicts,    // differs from bytes an earlier chunk filled; all collected data is dropped
};

// Places the unpacked data of a chunk whose header names `address`.
ChunkPlacement placeProgramChunk(TransferState& transfer, std::uint32_t address,
                                 std::span<const std::uint8_t> data);

bool programCollectionComplete(const TransferState& transfer);

} // namespace zkt
