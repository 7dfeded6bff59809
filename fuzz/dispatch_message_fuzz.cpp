#include "link/clock.h"
#include "link/transfer_engine.h"
#include "support/link_fakes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

bool manualCountInRange(const zkt::ConfigModel& model) {
    return model.numberOfManuals >= 0 && model.numberOfManuals <= zkt::maxManuals;
}

} // namespace

// Input: a start byte (which transfer begins), a manual-count byte for the configuration, a
// tick byte (how many timer ticks pass after each message), then received messages each
// ending at its F7. The engine must take any of them in whatever state its transfers reach
// without reading past a message or leaving a manual count or the current manual out of range.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    constexpr std::array<zkt::LoadPurpose, 3> loads{zkt::LoadPurpose::edit, zkt::LoadPurpose::backup,
                                                    zkt::LoadPurpose::identify};
    zkt::test::FakePort port;
    zkt::test::RecordingObserver observer;
    zkt::ManualClock clock;
    zkt::ConfigModel model;
    model.numberOfManuals = static_cast<std::int16_t>(data[1] % 6);
    zkt::TransferEngine engine(model, port, clock, observer);
    engine.selection().midiInSelection = 1;
    engine.selection().midiOutSelection = 2;
    if (data[0] % 4 == 3) {
        engine.startWrite();
    } else {
        engine.startLoad(loads[data[0] % 4]);
    }
    const int ticksAfterEach = data[2] % 8;

    const std::span<const std::uint8_t> stream(data + 3, size - 3);
    std::size_t start = 0;
    for (std::size_t at = 0; at < stream.size(); ++at) {
        if (stream[at] != 0xF7 && at + 1 != stream.size()) {
            continue;
        }
        engine.dispatchMessage(stream.subspan(start, at + 1 - start));
        start = at + 1;
        for (int tick = 0; tick < ticksAfterEach; ++tick) {
            clock.advance(zkt::TransferEngine::tickInterval);
            engine.onTimerTick();
        }
    }
    const int current = engine.status().manualInHand;
    if (!manualCountInRange(model) || !manualCountInRange(engine.loading()) || current < 1 ||
        current > zkt::maxManuals + 1) {
        __builtin_trap();
    }
    return 0;
}
