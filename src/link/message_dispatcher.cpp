#include "link/message_dispatcher.h"

#include "link/program_data_collection.h"
#include "link/protocol.h"
#include "link/received_message.h"
#include "link/sysex_codec.h"
#include "link/transfer_texts.h"
#include "model/program_image.h"

#include <string>

namespace zkt {

MessageDispatcher::MessageDispatcher(TransferState& transfer, StatusSink& status, DeviceRequests& requests,
                                     LinkNotices& notices, DispatcherWork work)
    : m_transfer(transfer), m_status(status), m_requests(requests), m_notices(notices),
      m_work(std::move(work)) {}

bool manualInChain(const ConfigModel& model, int manual) {
    return manual <= maxManuals && manual <= model.numberOfManuals;
}

void MessageDispatcher::dispatchMessage(std::span<const std::uint8_t> message) {
    switch (classifyReceived(message)) {
    case ReceivedKind::tag:
        onReturnedTag(message);
        break;
    case ReceivedKind::programResponse:
        onProgramResponse(message);
        break;
    case ReceivedKind::identityReply:
        onIdentityReply(message);
        break;
    default:
        break;
    }
}

void MessageDispatcher::onReturnedTag(std::span<const std::uint8_t> message) {
    const auto count = protocol::returnedTagCount(message);
    if (m_transfer.transferState != state::cablingCheck || !count)
        return;
    m_transfer.lastTagCount = *count;
    ConfigModel& model = m_work.target();
    const int manuals = *count - 1;
    if (manuals < 1 || manuals > maxManuals) {
        // A count the chain cannot have must not reach the model: panels, saves and writes
        // all index by it.
        model.numberOfManuals = 0;
        texts::appendLine(m_status, "Invalid number of manuals detected!");
        return;
    }
    model.numberOfManuals = static_cast<std::int16_t>(manuals);
    texts::appendLine(m_status, "Number of manuals detected = " + std::to_string(manuals));
    model.currentManual = 1;
    m_transfer.transferState = state::askNextManual;
}

void MessageDispatcher::onProgramResponse(std::span<const std::uint8_t> message) {
    const bool firstChunk = m_transfer.transferState == state::waitingForFirstChunk;
    if (!firstChunk && m_transfer.transferState != state::collectingChunks)
        return;
    using namespace protocol;
    if (message.size() < shortestResponse)
        return;
    // A late or repeated answer of another MCU must not become part of this manual; boards
    // that answer as "all devices" are taken at their word.
    const std::uint8_t device = byteAtPosition(message, pos::device);
    if (device != m_work.target().currentManual && device != allDevices)
        return;
    m_transfer.transferState = state::collectingChunks;
    // The manual is answering: the time-out counts from its latest chunk.
    m_transfer.retryTicks = 0;

    bool badByte = false;
    const ErrorSink noteBadByte = [&](const std::string& text) {
        badByte = true;
        if (m_notices.userMessage)
            m_notices.userMessage(text);
    };
    const auto payload = message.subspan(responseHeaderLength, message.size() - shortestResponse);
    const Bytes data = unpack7(payload, noteBadByte);
    const auto address = read7bitNumber(message, pos::responseAddress, addressBytes);
    // unpack7 skips a bad byte, which shifts everything after it: such a chunk is not placed.
    if (!address || badByte)
        return;
    placeProgramChunk(m_transfer, *address, data);

    if (programCollectionComplete(m_transfer) && m_transfer.transferKind == kind::load)
        finishLoadedManual();
}

void MessageDispatcher::finishLoadedManual() {
    ConfigModel& model = m_work.target();
    m_work.manualRead(m_transfer.receivedProgramData);
    decodeProgramImage(model, m_transfer.receivedProgramData);
    m_requests.rebootMcu(model.currentManual);
    ++model.currentManual;
    if (manualInChain(model, model.currentManual)) {
        m_transfer.transferState = state::askNextManual;
        return;
    }
    m_transfer.transferState = state::finished;
    m_work.loadComplete();
}

void MessageDispatcher::onIdentityReply(std::span<const std::uint8_t> message) {
    if (m_transfer.transferState != state::waitingForIdentity)
        return;
    const auto reply = decodeIdentityReply(message);
    if (!reply)
        return;
    ConfigModel& model = m_work.target();
    model.hardwareType = reply->hardwareType;
    model.firmwareVersion = reply->firmwareVersion;
    if (m_transfer.transferKind != kind::write) {
        m_transfer.transferState = state::identityReceived;
        return;
    }
    m_status.appendText(" ok");
    m_transfer.transferState = state::writingManual;
    // The write step decides whether another manual follows.
    if (m_work.transferStep() && m_transfer.transferState == state::nextManualToWrite)
        m_status.show();
}

} // namespace zkt
