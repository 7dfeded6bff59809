#include "link/device_requests.h"

#include <stdexcept>

namespace zkt {

namespace {

constexpr int twoDigitYearLimit = 10;

std::string decimal(std::uint8_t value) {
    return std::to_string(static_cast<int>(value));
}

// A device byte travels inside a SysEx message, so it must be a 7-bit value.
std::uint8_t deviceByte(int device) {
    if (device < 0 || device > protocol::allDevices)
        throw std::out_of_range("device " + std::to_string(device) + " is not a 7-bit device byte");
    return static_cast<std::uint8_t>(device);
}

} // namespace

std::uint32_t slotAddress(int slotIndex) {
    return static_cast<std::uint32_t>(slotIndex) * programImageSize;
}

std::optional<IdentityReply> decodeIdentityReply(std::span<const std::uint8_t> message) {
    using namespace protocol;
    // The last field read must be followed by at least the end byte.
    if (!hasPosition(message, pos::hardwareType + 1))
        return std::nullopt;
    const auto at = [&](std::size_t position) { return byteAtPosition(message, position); };
    IdentityReply reply;
    reply.hardwareType = at(pos::hardwareType);
    const std::uint8_t year = at(pos::firmwareYear);
    reply.firmwareVersion = decimal(at(pos::firmwareMajor)) + "." + decimal(at(pos::firmwareMinor)) + ", " +
                            decimal(at(pos::firmwareDateFirst)) + "/" + decimal(at(pos::firmwareDateSecond)) +
                            (year < twoDigitYearLimit ? "/200" : "/20") + decimal(year);
    return reply;
}

std::array<Bytes, protocol::chunksPerImage> programUpdateChunks(int manual, int slotIndex,
                                                                const ImageBuffer& image) {
    std::array<Bytes, protocol::chunksPerImage> chunks;
    for (std::size_t chunk = 0; chunk < chunks.size(); ++chunk) {
        const std::size_t firstByte = chunk * protocol::chunkSize;
        chunks[chunk] = protocol::programUpdate(
            deviceByte(manual), slotAddress(slotIndex) + static_cast<std::uint32_t>(firstByte),
            std::span<const std::uint8_t>(image).subspan(firstByte, protocol::chunkSize));
    }
    return chunks;
}

DeviceRequests::DeviceRequests(TransmitQueue& queue, std::function<bool()> paced)
    : m_queue(queue), m_paced(std::move(paced)) {}

void DeviceRequests::send(const Bytes& message, int unit) {
    m_queue.queueMessage(message, SendOptions{m_paced(), unit});
}

void DeviceRequests::sendTag() {
    send(protocol::tagMessage());
}

void DeviceRequests::requestIdentity(int manual) {
    send(protocol::tagMessage());
    requestIdentityAlone(manual);
}

void DeviceRequests::requestIdentityAlone(int manual) {
    send(protocol::identityRequest(deviceByte(manual)));
}

void DeviceRequests::rebootMcu(int device) {
    send(protocol::mcuReboot(deviceByte(device)));
}

void DeviceRequests::requestProgram(int manual, int slotIndex) {
    send(protocol::programRequest(deviceByte(manual), slotAddress(slotIndex), programImageSize));
}

void DeviceRequests::writeProgram(const ConfigModel& model, int manual, int slotIndex,
                                  std::bitset<protocol::chunksPerImage> chunks) {
    const ImageBuffer image = encodedManual(model, manual);
    const auto updates = programUpdateChunks(manual, slotIndex, image);
    for (std::size_t chunk = 0; chunk < updates.size(); ++chunk) {
        if (chunks.test(chunk))
            send(updates[chunk], manual);
    }
    send(protocol::mcuReboot(deviceByte(manual)), manual);
}

} // namespace zkt
