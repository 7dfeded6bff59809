#pragma once
// Where received data enters the program: every whole SysEx message from the MIDI input is
// recognised by its leading bytes and, if the transfer state waits for it, turned into a
// state change and into the model being transferred. Echoes of our own requests, late and
// duplicate answers, and messages too short for the fields read are ignored.

#include "link/device_requests.h"
#include "link/transfer_state.h"
#include "link/transfer_ui.h"
#include "link/transmit_queue.h"
#include "model/config_model.h"

#include <cstdint>
#include <functional>
#include <span>

namespace zkt {

struct DispatcherWork {
    // The model the transfer reads into or writes from.
    std::function<ConfigModel&()> target;
    // Writes the manual whose identity reply has arrived; false when it could not.
    std::function<bool()> transferStep;
    // A manual's image has arrived whole (before it is decoded).
    std::function<void(std::span<const std::uint8_t>)> manualRead;
    // The last manual of a load has been decoded.
    std::function<void()> loadComplete;
};

class MessageDispatcher {
public:
    MessageDispatcher(TransferState& transfer, StatusSink& status, DeviceRequests& requests,
                      LinkNotices& notices, DispatcherWork work);

    void dispatchMessage(std::span<const std::uint8_t> message);

private:
    void onReturnedTag(std::span<const std::uint8_t> message);
    void onProgramResponse(std::span<const std::uint8_t> message);
    void onIdentityReply(std::span<const std::uint8_t> message);
    void finishLoadedManual();

    TransferState& m_transfer;
    StatusSink& m_status;
    DeviceRequests& m_requests;
    LinkNotices& m_notices;
    DispatcherWork m_work;
};

// True while the manual number is one the chain has (and the protocol allows).
bool manualInChain(const ConfigModel& model, int manual);

} // namespace zkt
