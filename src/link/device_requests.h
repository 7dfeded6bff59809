#pragma once
// The messages the program sends to the MCU chain, and the decoding of the identity reply.
// Each request says which transfer state it enters; the transfer engine decides when to send.

#include "link/protocol.h"
#include "link/transfer_state.h"
#include "link/transfer_ui.h"
#include "link/transmit_queue.h"
#include "model/config_model.h"
#include "model/program_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zkt {

struct IdentityReply {
    std::uint8_t hardwareType = 0;
    std::string firmwareVersion;
};

// Empty when the message is too short to hold every field read.
std::optional<IdentityReply> decodeIdentityReply(std::span<const std::uint8_t> message);

// The four PROGRAM_UPDATE messages that carry image bytes 1..256 to a manual's slot.
std::array<Bytes, protocol::chunksPerImage> programUpdateChunks(int manual, int slotIndex,
                                                                const ImageBuffer& image);

class DeviceRequests {
public:
    DeviceRequests(TransmitQueue& queue, TransferState& transfer, StatusSink& status);

    // The cabling check: the tag comes back counted by every MCU of the loop.
    void sendTag();
    void requestIdentity(int manual);
    void rebootMcu(int device);
    // Announces the request in the status window, then sends it.
    void requestProgram(int manual, int slotIndex);
    // The request alone, as a retry sends it again; the collection starts afresh.
    void sendProgramRequest(int manual, int slotIndex);
    // The four program updates and the reboot that makes the MCU use them, as one unit of the
    // queue. Encodes the whole image first, so an EncodeOverflow leaves the queue untouched.
    void writeProgram(const ConfigModel& model, int manual, int slotIndex);

private:
    // Everything a write queues is paced, whatever starts while it is still queued.
    void send(const Bytes& message, int unit = 0);

    TransmitQueue& m_queue;
    TransferState& m_transfer;
    StatusSink& m_status;
};

} // namespace zkt
