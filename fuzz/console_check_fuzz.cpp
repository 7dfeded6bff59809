#include "check/check_report.h"
#include "check/check_report_html.h"
#include "check/console_check.h"
#include "link/midi_reassembler.h"
#include "model/example_organ.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

// Whatever a console sends, in whatever pieces and at whatever pace, the check takes it, asks,
// finishes and reports without failing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    zkt::ManualClock clock;
    zkt::ConsoleCheck check(zkt::exampleOrgan(1 + data[0] % 5), clock);
    if (data[1] % 2 == 1)
        check.startAsking();
    zkt::MidiReassembler reassembler;
    const std::span<const std::uint8_t> stream(data + 2, size - 2);
    for (std::size_t at = 0; at < stream.size(); at += 4) {
        const auto chunk = stream.subspan(at, std::min<std::size_t>(4, stream.size() - at));
        for (const zkt::Bytes& message : reassembler.feed(chunk))
            check.take(message);
        clock.advance(std::chrono::milliseconds(chunk[0] % 64));
        check.tick();
        if (chunk[0] == 0xFF)
            check.skipAsked();
        check.takeEvents();
    }
    check.finish();
    checkReportHtml(checkReport(check, {"fuzz.zkt", {2026, 1, 1, 0, 0}}));
    return 0;
}
