#include "link/program_data_collection.h"

#include <algorithm>

namespace zkt {

void startProgramCollection(TransferState& transfer, std::uint32_t address, std::int16_t length) {
    const auto size = static_cast<std::size_t>(std::max<std::int16_t>(length, 0));
    transfer.requestedProgramAddress = address;
    transfer.expectedProgramLength = length;
    transfer.receivedProgramData.assign(size, 0);
    transfer.receivedFilled.assign(size, false);
    transfer.receivedLength = 0;
}

ChunkPlacement placeProgramChunk(TransferState& transfer, std::uint32_t address,
                                 std::span<const std::uint8_t> data) {
    const std::size_t size = transfer.receivedProgramData.size();
    if (address < transfer.requestedProgramAddress)
        return ChunkPlacement::outsideRequest;
    const std::size_t offset = address - transfer.requestedProgramAddress;
    if (offset > size || data.size() > size - offset)
        return ChunkPlacement::outsideRequest;

    for (std::size_t i = 0; i < data.size(); ++i) {
        if (transfer.receivedFilled[offset + i] && transfer.receivedProgramData[offset + i] != data[i]) {
            // Two answers for the same byte: without a checksum neither can be trusted, so the
            // manual must not complete from what has been collected so far.
            startProgramCollection(transfer, transfer.requestedProgramAddress,
                                   transfer.expectedProgramLength);
            return ChunkPlacement::contradicts;
        }
    }
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!transfer.receivedFilled[offset + i]) {
            transfer.receivedFilled[offset + i] = true;
            ++transfer.receivedLength;
        }
        transfer.receivedProgramData[offset + i] = data[i];
    }
    return ChunkPlacement::placed;
}

bool programCollectionComplete(const TransferState& transfer) {
    return !transfer.receivedProgramData.empty() &&
           static_cast<std::size_t>(transfer.receivedLength) == transfer.receivedProgramData.size();
}

} // namespace zkt
