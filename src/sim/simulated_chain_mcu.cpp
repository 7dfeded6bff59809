#include "sim/simulated_chain_mcu.h"

#include "link/received_message.h"
#include "link/sysex_codec.h"
#include "sim/simulated_chain_faults.h"

#include <algorithm>
#include <stdexcept>

namespace zkt {

namespace {

namespace pos {
inline constexpr std::size_t device = 5; // maker messages
inline constexpr std::size_t identityDevice = 3;
inline constexpr std::size_t requestAddress = 9; // three 7-bit bytes
inline constexpr std::size_t requestLength = 12; // two 7-bit bytes
inline constexpr std::size_t updateAddress = 11; // three 7-bit bytes
inline constexpr std::size_t updatePackedCount = 14;
inline constexpr std::size_t updatePackedFirst = 15;
} // namespace pos

inline constexpr std::size_t programRequestSize = 14;
inline constexpr std::size_t programUpdateSize = 89;
inline constexpr std::size_t updateDataSize = 64;
inline constexpr std::size_t updatePackedSize = 74;
inline constexpr std::size_t responseChunkSize = 64;
inline constexpr std::uint8_t allDevices = 0x7F;

const Bytes makerHeader{0xF0, 0x00, 0x2F, 0x71};
const Bytes programResponseCommand{0x04, 0x01, 0x04};

int read7bitNumber(std::span<const std::uint8_t> message, std::size_t firstPosition, int count) {
    int value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 7) | (byteAtPosition(message, firstPosition + static_cast<std::size_t>(i)) & 0x7F);
    }
    return value;
}

bool allDataBytes(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; });
}

void append(Bytes& to, std::span<const std::uint8_t> bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

} // namespace

SimulatedMcu::SimulatedMcu(int manual, std::span<const std::uint8_t> image, McuIdentity identity,
                           McuTimings timings)
    : m_manual(manual), m_identity(identity), m_timings(timings) {
    if (image.size() != mcuImageSize) {
        throw std::invalid_argument("simulated MCU " + std::to_string(manual) + ": image has " +
                                    std::to_string(image.size()) + " bytes, expected " +
                                    std::to_string(mcuImageSize));
    }
    std::copy(image.begin(), image.end(), m_image.begin());
}

std::vector<Bytes> SimulatedMcu::receive(std::span<const std::uint8_t> message, Micros now) {
    std::vector<Bytes> out;
    Bytes passedOn(message.begin(), message.end());
    if (isTagMessage(message)) {
        std::uint8_t& count = passedOn[tagCountPosition - 1];
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
    const McuIdentity& id = m_identity;
    Bytes reply{0xF0, 0x7E, static_cast<std::uint8_t>(m_manual), 0x06, 0x02, 0x00, 0x2F, 0x71};
    append(reply,
           std::initializer_list<std::uint8_t>{id.familyLo, id.familyHi, id.firmwareMajor, id.firmwareMinor,
                                               id.year, id.dateFirst, id.dateSecond, 0x00});
    append(reply, encode7bitNumber(static_cast<std::uint32_t>(id.dipProgramMinusOne), 2));
    append(reply, encode7bitNumber(static_cast<std::uint32_t>(id.programSlots), 2));
    reply.push_back(id.hardwareType);
    reply.push_back(id.trailingByte);
    reply.push_back(0xF7);
    out.push_back(std::move(reply));
    note("identity reply");
}

void SimulatedMcu::answerProgramRequest(std::span<const std::uint8_t> message, std::vector<Bytes>& out) {
    if (message.size() < programRequestSize || !allDataBytes(message.subspan(1, programRequestSize - 2))) {
        ++m_counters.malformedIgnored;
        note("malformed program request ignored");
        return;
    }
    if (m_ignoresProgramRequests) {
        note("program request left unanswered (fault)");
        return;
    }
    const auto address = static_cast<std::size_t>(read7bitNumber(message, pos::requestAddress, 3));
    const auto requested = static_cast<std::size_t>(read7bitNumber(message, pos::requestLength, 2));
    if (address >= mcuImageSize || requested == 0) {
        ++m_counters.malformedIgnored;
        note("program request outside the image ignored");
        return;
    }
    const std::size_t length = std::min(requested, mcuImageSize - address);
    const std::size_t chunk = m_responseMode == ResponseMode::fourChunks ? responseChunkSize : length;
    for (std::size_t offset = 0; offset < length; offset += chunk) {
        const std::size_t size = std::min(chunk, length - offset);
        Bytes response(makerHeader);
        response.push_back(static_cast<std::uint8_t>(m_manual));
        append(response, programResponseCommand);
        append(response, encode7bitNumber(static_cast<std::uint32_t>(address + offset), 3));
        append(response, pack7(std::span<const std::uint8_t>(m_image).subspan(address + offset, size)));
        response.push_back(0xF7);
        out.push_back(std::move(response));
    }
    note("program response, " + std::to_string(length) + " bytes from address " + std::to_string(address));
}

void SimulatedMcu::storeProgramUpdate(std::span<const std::uint8_t> message, Micros now) {
    if (message.size() != programUpdateSize ||
        byteAtPosition(message, pos::updatePackedCount) != updatePackedSize ||
        !allDataBytes(message.subspan(1, programUpdateSize - 2))) {
        ++m_counters.malformedIgnored;
        note("malformed program update ignored");
        return;
    }
    const auto address = static_cast<std::size_t>(read7bitNumber(message, pos::updateAddress, 3));
    if (address + updateDataSize > mcuImageSize) {
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
        unpack7(message.subspan(pos::updatePackedFirst - 1, updatePackedSize), [](const std::string&) {});
    const std::size_t stored = std::min(data.size(), updateDataSize);
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
