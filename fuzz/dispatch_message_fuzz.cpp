#include "link/clock.h"
#include "link/device_requests.h"
#include "link/message_dispatcher.h"
#include "link/midi_selection.h"
#include "support/link_fakes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

constexpr std::array<std::int16_t, 13> everyState{
    zkt::state::idle,
    zkt::state::askNextManual,
    zkt::state::finished,
    zkt::state::closing,
    zkt::state::writingManual,
    zkt::state::waitingForIdentity,
    zkt::state::waitingForFirstChunk,
    zkt::state::collectingChunks,
    zkt::state::identityReceived,
    zkt::state::settling,
    zkt::state::nextManualToWrite,
    zkt::state::cablingCheck,
    zkt::state::cancellingWrite,
};

} // namespace

// Input: a state byte, a transfer-kind byte, a manual-count byte, then received messages
// each ending at its F7. The dispatcher must take any of them in any state without reading
// past a message or leaving the model or the state out of range.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    zkt::test::FakePort port;
    zkt::test::RecordingStatus status;
    zkt::ManualClock clock;
    zkt::MidiSelection selection;
    zkt::LinkNotices notices;
    zkt::TransmitQueue queue(port, clock, selection, notices);
    zkt::TransferState transfer;
    zkt::ConfigModel model;
    zkt::DeviceRequests requests(queue, transfer, status);

    transfer.transferState = everyState[data[0] % everyState.size()];
    transfer.transferKind = static_cast<std::int16_t>(1 + data[1] % 3);
    model.numberOfManuals = static_cast<std::int16_t>(data[2] % 6);
    model.currentManual = static_cast<std::int16_t>(1 + data[2] / 6 % zkt::maxManuals);

    zkt::MessageDispatcher dispatcher(transfer, status, requests, notices,
                                      zkt::DispatcherWork{[&model]() -> zkt::ConfigModel& { return model; },
                                                          [] { return true; },
                                                          [](std::span<const std::uint8_t>) {}, [] {}});
    const std::span<const std::uint8_t> stream(data + 3, size - 3);
    std::size_t start = 0;
    for (std::size_t at = 0; at < stream.size(); ++at) {
        if (stream[at] == 0xF7 || at + 1 == stream.size()) {
            dispatcher.dispatchMessage(stream.subspan(start, at + 1 - start));
            start = at + 1;
        }
    }
    if (model.numberOfManuals < 0 || model.numberOfManuals > zkt::maxManuals) {
        __builtin_trap();
    }
    return 0;
}
