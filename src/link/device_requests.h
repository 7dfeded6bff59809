#pragma once
// The messages the program sends to the MCU chain, and the decoding of the identity reply.
// The requests only build messages and queue them; the transfer engine decides when to send
// and what the transfer does next.

#include "link/protocol.h"
#include "link/transmit_queue.h"
#include "model/config_model.h"
#include "model/program_image.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
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

// Where a slot's image starts in an MCU's memory.
std::uint32_t slotAddress(int slotIndex);

class DeviceRequests {
public:
    // paced: whether what is queued now belongs to a write. Everything a write queues is
    // paced, whatever starts while it is still queued.
    DeviceRequests(TransmitQueue& queue, std::function<bool()> paced);

    // The cabling check: the tag comes back counted by every MCU of the loop.
    void sendTag();
    // A tag, then the identity request.
    void requestIdentity(int manual);
    // The identity request alone, for a chain that has just been counted.
    void requestIdentityAlone(int manual);
    void rebootMcu(int device);
    void requestProgram(int manual, int slotIndex);
    // The program updates of the chunks asked for and the reboot that makes the MCU use them,
    // as one unit of the queue. Encodes the whole image first, so an EncodeOverflow leaves the
    // queue untouched.
    void writeProgram(const ConfigModel& model, int manual, int slotIndex,
                      std::bitset<protocol::chunksPerImage> chunks);

private:
    void send(const Bytes& message, int unit = 0);

    TransmitQueue& m_queue;
    std::function<bool()> m_paced;
};

} // namespace zkt
