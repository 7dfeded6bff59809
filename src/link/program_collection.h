#pragma once
// Collects the program data of one manual from its response chunks. Boards answer in one of
// two ways: each chunk carries the address of its own first byte, or every chunk repeats the
// request's address. The first way is placed by address, so a repeated chunk changes nothing
// and a chunk that lost or gained bytes cannot shift the rest; the second is recognised when a
// different chunk arrives for the request's address after the first, and from then on chunks
// are appended in the order they arrive.

#include "model/bytes.h"
#include "model/program_image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zkt {

// The unpacked program data of the manual being loaded, placed by each chunk's address; which
// bytes a chunk has filled, and how many.
struct ProgramCollection {
    // Where the requested data starts in the MCU's memory (slot index x 256).
    std::uint32_t requestedProgramAddress = 0;
    std::int16_t expectedProgramLength = static_cast<std::int16_t>(programImageSize);
    Bytes receivedProgramData;
    std::vector<bool> receivedFilled;
    std::int16_t receivedLength = 0;
    int receivedChunks = 0;
    // The board repeats the request's address in every chunk: place them one after the other.
    bool chunksInArrivalOrder = false;
};

// Empties the collection for a request of `length` bytes starting at `address`.
void startProgramCollection(ProgramCollection& collection, std::uint32_t address, std::int16_t length);

enum class ChunkPlacement {
    placed,
    duplicate,      // the same bytes again for a place already filled
    outsideRequest, // starts before the requested address or runs past its end
    contradicts,    // differs from bytes an earlier chunk filled; all collected data is dropped
};

// Places the unpacked data of a chunk whose header names `address`.
ChunkPlacement placeProgramChunk(ProgramCollection& collection, std::uint32_t address,
                                 std::span<const std::uint8_t> data);

bool programCollectionComplete(const ProgramCollection& collection);

} // namespace zkt
