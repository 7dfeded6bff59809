#include "link/device_requests.h"

#include "link/program_data_collection.h"
#include "link/received_message.h"
#include "link/sysex_codec.h"
#include "link/transfer_texts.h"
#include "model/hex_text.h"

#include <string_view>

namespace zkt {

namespace {

constexpr std::uint32_t slotBytes = 256;
constexpr int addressBytes = 3;
// The request length 256 as two 7-bit bytes, least significant first.
constexpr std::string_view requestLength256 = "00 02";
constexpr std::uint8_t packedChunkLength = 0x4A;

// Identity reply fields, 1-based.
constexpr std::size_t firmwareMajorPosition = 11;
constexpr std::size_t firmwareMinorPosition = 12;
constexpr std::size_t yearPosition = 13;
constexpr std::size_t dateFirstPosition = 14;
constexpr std::size_t dateSecondPosition = 15;
constexpr std::size_t hardwareTypePosition = 21;
constexpr int twoDigitYearLimit = 10;

std::string decimal(std::uint8_t value) {
    return std::to_string(static_cast<int>(value));
}

} // namespace

std::optional<IdentityReply> decodeIdentityReply(std::span<const std::uint8_t> message) {
    // The last field read must be followed by at least the end byte.
    if (!hasPosition(message, hardwareTypePosition + 1))
        return std::nullopt;
    const auto at = [&](std::size_t position) { return byteAtPosition(message, position); };
    IdentityReply reply;
    reply.hardwareType = at(hardwareTypePosition);
    const std::uint8_t year = at(yearPosition);
    reply.firmwareVersion = decimal(at(firmwareMajorPosition)) + "." + decimal(at(firmwareMinorPosition)) +
                            ", " + decimal(at(dateFirstPosition)) + "/" + decimal(at(dateSecondPosition)) +
                            (year < twoDigitYearLimit ? "/200" : "/20") + decimal(year);
    return reply;
}

std::array<Bytes, programUpdateChunkCount> programUpdateChunks(int manual, int slotIndex,
                                                               const ImageBuffer& image) {
    std::array<Bytes, programUpdateChunkCount> chunks;
    for (int chunk = 0; chunk < programUpdateChunkCount; ++chunk) {
        const std::size_t firstByte = static_cast<std::size_t>(chunk) * programUpdateChunkSize;
        const auto address = encode7bitNumber(static_cast<std::uint32_t>(slotIndex) * slotBytes +
                                                  static_cast<std::uint32_t>(firstByte),
                                              addressBytes);
        const auto packed =
            pack7(std::span<const std::uint8_t>(image).subspan(firstByte, programUpdateChunkSize));
        Bytes& message = chunks[static_cast<std::size_t>(chunk)];
        message = {0xF0, 0x00, 0x2F, 0x71, static_cast<std::uint8_t>(manual), 0x04, 0x01, 0x08, 0x00, 0x00};
        message.insert(message.end(), address.begin(), address.end());
        message.push_back(packedChunkLength);
        message.insert(message.end(), packed.begin(), packed.end());
        message.push_back(sysex::end);
    }
    return chunks;
}

DeviceRequests::DeviceRequests(TransmitQueue& queue, TransferState& transfer, StatusSink& status)
    : m_queue(queue), m_transfer(transfer), m_status(status) {}

void DeviceRequests::sendTag() {
    m_queue.sendHexMessage(std::string(sysex::tagPrefix) + hexByte(1));
    m_transfer.transferState = state::cablingCheck;
}

void DeviceRequests::requestIdentity(int manual) {
    m_queue.sendHexMessage(std::string(sysex::tagPrefix) + hexByte(1));
    std::string request(sysex::identityRequest);
    // The device byte is the third of the text: characters 7 and 8.
    request.replace(6, 2, hexByte(manual));
    m_queue.sendHexMessage(request);
    m_transfer.transferState = state::waitingForIdentity;
}

void DeviceRequests::rebootMcu(int device) {
    m_queue.sendHexMessage(std::string(sysex::manufacturerHeader) + hexByte(device) +
                           std::string(sysex::mcuRebootCommand));
}

void DeviceRequests::requestProgram(int manual, int slotIndex) {
    m_status.centreOverMain();
    m_status.show();
    texts::appendLine(m_status, "Requesting " + std::string(texts::product) + " Program Data from Manual #" +
                                    std::to_string(manual) + "...");
    m_status.setCaption(texts::loadingCaption());
    const auto firstByte = static_cast<std::uint32_t>(slotIndex) * slotBytes;
    startProgramCollection(m_transfer, firstByte, programImageRequestLength);
    const auto address = encode7bitNumber(firstByte, addressBytes);
    m_queue.sendHexMessage(std::string(sysex::manufacturerHeader) + hexByte(manual) +
                           std::string(sysex::programRequestCommand) + bytesToHex(address) +
                           std::string(requestLength256));
    m_transfer.transferState = state::waitingForFirstChunk;
}

void DeviceRequests::writeProgram(const ConfigModel& model, int manual, int slotIndex) {
    const ImageBuffer image = encodedManual(model, manual);
    for (const Bytes& chunk : programUpdateChunks(manual, slotIndex, image))
        m_queue.queueMessage(chunk);
}

} // namespace zkt
