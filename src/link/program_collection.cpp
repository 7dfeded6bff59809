#include "link/program_collection.h"

#include <algorithm>

namespace zkt {

namespace {

bool sameAsFilled(const ProgramCollection& collection, std::size_t offset, std::span<const std::uint8_t> data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (collection.receivedFilled[offset + i] && collection.receivedProgramData[offset + i] != data[i])
            return false;
    }
    return true;
}

bool anyFilled(const ProgramCollection& collection, std::size_t offset, std::size_t length) {
    const auto first = collection.receivedFilled.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::any_of(first, first + static_cast<std::ptrdiff_t>(length),
                       [](bool filled) { return filled; });
}

// Only one chunk so far, for the request's own address, and this one is as long: a board that
// repeats that address in every chunk looks exactly like this after its first. A chunk of
// another length is damaged, not the next one.
bool secondChunkOfARepeatedAddress(const ProgramCollection& collection, std::size_t offset, std::size_t length) {
    return offset == 0 && collection.receivedChunks == 1 &&
           static_cast<std::size_t>(collection.receivedLength) == length;
}

void fill(ProgramCollection& collection, std::size_t offset, std::span<const std::uint8_t> data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!collection.receivedFilled[offset + i]) {
            collection.receivedFilled[offset + i] = true;
            ++collection.receivedLength;
        }
        collection.receivedProgramData[offset + i] = data[i];
    }
    ++collection.receivedChunks;
}

} // namespace

void startProgramCollection(ProgramCollection& collection, std::uint32_t address, std::int16_t length) {
    const auto size = static_cast<std::size_t>(std::max<std::int16_t>(length, 0));
    collection.requestedProgramAddress = address;
    collection.expectedProgramLength = length;
    collection.receivedProgramData.assign(size, 0);
    collection.receivedFilled.assign(size, false);
    collection.receivedLength = 0;
    collection.receivedChunks = 0;
    collection.chunksInArrivalOrder = false;
}

ChunkPlacement placeProgramChunk(ProgramCollection& collection, std::uint32_t address,
                                 std::span<const std::uint8_t> data) {
    const std::size_t size = collection.receivedProgramData.size();
    if (address < collection.requestedProgramAddress)
        return ChunkPlacement::outsideRequest;
    std::size_t offset = address - collection.requestedProgramAddress;
    if (collection.chunksInArrivalOrder)
        offset = static_cast<std::size_t>(collection.receivedLength);
    if (offset > size || data.size() > size - offset)
        return ChunkPlacement::outsideRequest;

    if (!sameAsFilled(collection, offset, data)) {
        if (secondChunkOfARepeatedAddress(collection, offset, data.size())) {
            collection.chunksInArrivalOrder = true;
            return placeProgramChunk(collection, address, data);
        }
        // Two answers for the same byte: without a checksum neither can be trusted, so the
        // manual must not complete from what has been collected so far.
        startProgramCollection(collection, collection.requestedProgramAddress, collection.expectedProgramLength);
        return ChunkPlacement::contradicts;
    }
    if (!collection.chunksInArrivalOrder && anyFilled(collection, offset, data.size()))
        return ChunkPlacement::duplicate;
    fill(collection, offset, data);
    return ChunkPlacement::placed;
}

bool programCollectionComplete(const ProgramCollection& collection) {
    return !collection.receivedProgramData.empty() &&
           static_cast<std::size_t>(collection.receivedLength) == collection.receivedProgramData.size();
}

} // namespace zkt
