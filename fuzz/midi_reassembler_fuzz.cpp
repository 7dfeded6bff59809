#include "link/channel_message.h"
#include "link/midi_reassembler.h"
#include "link/sysex_reassembler.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Whatever the input delivers, in whatever pieces, only whole bounded SysEx messages and whole
// channel messages come out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    zkt::MidiReassembler reassembler;
    const std::size_t piece = 1 + data[0] % 16;
    const std::span<const std::uint8_t> stream(data + 1, size - 1);
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        const auto chunk = stream.subspan(at, std::min(piece, stream.size() - at));
        for (const zkt::Bytes& message : reassembler.feed(chunk)) {
            const bool sysEx = message.size() >= 2 && message.front() == 0xF0 && message.back() == 0xF7 &&
                               message.size() <= zkt::SysExReassembler::defaultMaxMessageSize;
            if (!sysEx && !zkt::channelMessageOf(message)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
