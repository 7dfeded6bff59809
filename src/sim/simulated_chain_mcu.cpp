#include "sim/simulated_chain_mcu.h"

#include "link/received_message.h"
#include "link/sysex_codec.h"
#include "sim/simulated_chain_faults.h"

#include <algorithm>
#include <stdexcept>

namespace zkt {

namespace {

using namespace protocol;

bool allDataBytes(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; });
}

} // namespace

SimulatedMcu::SimulatedMcu(int manual, std::span<const std::uint8_t> image, McuIdentity identity,
                           McuTimings timings)
    : m_manual(manual), m_identity(identity), m_timings(timings) {
    if (image.size() != programImageSize) {
        throw std::invalid_argument("simulated MCU " + std::to_string(manual) + ": image has " +
                                    std::to_string(image.size()) + " bytes, expected " +
                                    std::to_string(programImageSize));
    }
    std::copy(image.begin(), image.end(), m_image.begin());
}

std::vector<Bytes> SimulatedMcu::receive(std::span<const std::uint8_t> message, Micros now) {
    std::vector<Bytes> out;
    Bytes passedOn(message.begin(), message.end());
    if (isTagMessage(message)) {
        std::uint8_t& count = passedOn[pos::tagCount - 1];
        count = static_cast<std::uint8_t>((count + 1) & 0x7F);
    }
    out.push_back(std::move(passedOn));
    answer(message, now, out);
    return out;
}

void SimulatedMcu::answer(std::span<const std::uint8_t> message, Micros now, std::vector<Bytes>& out) {
    const ReceivedKind kind = classifyReceived(message);
    const bool rebooting = now < m_rebootingUntil;
    if (kind == ReceivedKind::identityRequestEcho) {
        if (byteAtPosition(message, pos::identityDevice) != m_manual) {
            return;
        }
        if (rebooting) {
            ++m_counters.requestsIgnoredWhileRebooting;
            note("identity request ignored while rebooting");
            return;
        }
        answerIdentityRequest(out);
        return;
    }
    // Each of these carries its device byte: the command bytes behind it were there.
    const bool isReboot = kind == ReceivedKind::mcuRebootEcho;
    const bool isRequest = kind == ReceivedKind::programRequestEcho;
    const bool isUpdate = kind == ReceivedKind::programUpdateEcho;
    if (!isReboot && !isRequest && !isUpdate) {
        return;
    }
    const std::uint8_t device = byteAtPosition(message, pos::device);
    if (isReboot && (device == m_manual || device == allDevices)) {
        m_rebootingUntil = now + m_timings.rebootSilentTime;
        note("reboot");
        return;
    }
    if (device != m_manual || isReboot) {
        return;
    }
    if (rebooting) {
        ++m_counters.requestsIgnoredWhileRebooting;
        note(std::string(isRequest ? "program request" : "program update") + " ignored while rebooting");
        return;
    }
    if (isRequest) {
        answerProgramRequest(message, out);
    } else {
        storeProgramUpdate(message, now);
    }
}

void SimulatedMcu::answerIdentityRequest(std::vector<Bytes>& out) {
    out.push_back(identityReply(static_cast<std::uint8_t>(m_manual), m_identity));
    note("identity reply");
}

void SimulatedMcu::answerProgramRequest(std::span<const std::uint8_t> message, std::vector<Bytes>& out) {
    if (message.size() < programRequestLength ||
        !allDataBytes(message.subspan(1, programRequestLength - 2))) {
        ++m_counters.malformedIgnored;
        note("malformed program request ignored");
        return;
    }
    if (m_ignoresProgramRequests) {
        note("program request left unanswered (fault)");
        return;
    }
    const auto address =
        static_cast<std::size_t>(*read7bitNumber(message, pos::requestAddress, addressBytes));
    const auto requested =
        static_cast<std::size_t>(*read7bitNumber(message, pos::requestLength, lengthBytes));
    if (address >= programImageSize || requested == 0) {
        ++m_counters.malformedIgnored;
        note("program request outside the image ignored");
        return;
    }
    const std::size_t length = std::min(requested, programImageSize - address);
    const std::size_t chunk = m_responseMode == ResponseMode::fourChunks ? chunkSize : length;
    for (std::size_t offset = 0; offset < length; offset += chunk) {
        const std::size_t size = std::min(chunk, length - offset);
        const auto device = m_responseHeader.deviceAll ? allDevices : static_cast<std::uint8_t>(m_manual);
        const std::size_t shownAddress = m_responseHeader.repeatRequestAddress ? address : address + offset;
        out.push_back(
            programResponse(device, static_cast<std::uint32_t>(shownAddress),
                            std::span<const std::uint8_t>(m_image).subspan(address + offset, size)));
    }
    note("program response, " + std::to_string(length) + " bytes from address " + std::to_string(address));
}

void SimulatedMcu::storeProgramUpdate(std::span<const std::uint8_t> message, Micros now) {
    if (message.size() != programUpdateLength ||
        byteAtPosition(message, pos::updatePackedCount) != updatePackedLength ||
        !allDataBytes(message.subspan(1, programUpdateLength - 2))) {
        ++m_counters.malformedIgnored;
        note("malformed program update ignored");
        return;
    }
    const auto address = static_cast<std::size_t>(*read7bitNumber(message, pos::updateAddress, addressBytes));
    if (address + chunkSize > programImageSize) {
        ++m_counters.malformedIgnored;
        note("program update outside the image ignored");
        return;
    }
    if (now < m_flashBusyUntil) {
        ++m_counters.updatesLostWhileBusy;
        note("program update at address " + std::to_string(address) + " LOST: still writing flash");
        return;
    }
    const Bytes data =
        unpack7(message.subspan(pos::updatePayload - 1, updatePackedLength), [](const std::string&) {});
    const std::size_t stored = std::min(data.size(), chunkSize);
    std::copy_n(data.begin(), stored, m_image.begin() + static_cast<std::ptrdiff_t>(address));
    ++m_counters.updatesStored;
    m_flashBusyUntil = now + m_timings.flashWriteTime;
    note("program update stored at address " + std::to_string(address));
}

void SimulatedMcu::note(const std::string& line) const {
    if (m_trace) {
        m_trace("MCU " + std::to_string(m_manual) + ": " + line);
    }
}

} // namespace zkt
