#include "link/program_data_collection.h"

#include <algorithm>

namespace zkt {

namespace {

bool sameAsFilled(const TransferState& transfer, std::size_t offset, std::span<const std::uint8_t> data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (transfer.receivedFilled[offset + i] && transfer.receivedProgramData[offset + i] != data[i])
            return false;
    }
    return true;
}

bool anyFilled(const TransferState& transfer, std::size_t offset, std::size_t length) {
    const auto first = transfer.receivedFilled.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::any_of(first, first + static_cast<std::ptrdiff_t>(length),
                       [](bool filled) { return filled; });
}

// Only one chunk so far, for the request's own address, and this one is as long: a board that
// repeats that address in every chunk looks exactly like this after its first. A chunk of
// another length is damaged, not the next one.
bool secondChunkOfARepeatedAddress(const TransferState& transfer, std::size_t offset, std::size_t length) {
    return offset == 0 && transfer.receivedChunks == 1 &&
           static_cast<std::size_t>(transfer.receivedLength) == length;
}

void fill(TransferState& transfer, std::size_t offset, std::span<const std::uint8_t> data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!transfer.receivedFilled[offset + i]) {
            transfer.receivedFilled[offset + i] = true;
            ++transfer.receivedLength;
        }
        transfer.receivedProgramData[offset + i] = data[i];
    }
    ++transfer.receivedChunks;
}

} // namespace

void startProgramCollection(TransferState& transfer, std::uint32_t address, std::int16_t length) {
    const auto size = static_cast<std::size_t>(std::max<std::int16_t>(length, 0));
    transfer.requestedProgramAddress = address;
    transfer.expectedProgramLength = length;
    transfer.receivedProgramData.assign(size, 0);
    transfer.receivedFilled.assign(size, false);
    transfer.receivedLength = 0;
    transfer.receivedChunks = 0;
    transfer.chunksInArrivalOrder = false;
}

ChunkPlacement placeProgramChunk(TransferState& transfer, std::uint32_t address,
                                 std::span<const std::uint8_t> data) {
    const std::size_t size = transfer.receivedProgramData.size();
    if (address < transfer.requestedProgramAddress)
        return ChunkPlacement::outsideRequest;
    std::size_t offset = address - transfer.requestedProgramAddress;
    if (transfer.chunksInArrivalOrder)
        offset = static_cast<std::size_t>(transfer.receivedLength);
    if (offset > size || data.size() > size - offset)
        return ChunkPlacement::outsideRequest;

    if (!sameAsFilled(transfer, offset, data)) {
        if (secondChunkOfARepeatedAddress(transfer, offset, data.size())) {
            transfer.chunksInArrivalOrder = true;
            return placeProgramChunk(transfer, address, data);
        }
        // Two answers for the same byte: without a checksum neither can be trusted, so the
        // manual must not complete from what has been collected so far.
        startProgramCollection(transfer, transfer.requestedProgramAddress, transfer.expectedProgramLength);
        return ChunkPlacement::contradicts;
    }
    if (!transfer.chunksInArrivalOrder && anyFilled(transfer, offset, data.size()))
        return ChunkPlacement::duplicate;
    fill(transfer, offset, data);
    return ChunkPlacement::placed;
}

bool programCollectionComplete(const TransferState& transfer) {
    return !transfer.receivedProgramData.empty() &&
           static_cast<std::size_t>(transfer.receivedLength) == transfer.receivedProgramData.size();
}

} // namespace zkt
