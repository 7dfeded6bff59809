#include "sim/console_play.h"

#include "link/console_messages.h"
#include "model/program_image.h"

namespace zkt {

std::vector<Bytes> consoleMessagesFor(std::span<const std::uint8_t> image, const ConsoleAction& action) {
    using Kind = ConsoleAction::Kind;
    if (action.kind == Kind::send)
        return {action.bytes};
    // The board knows only its own image: it is manual 1 of a model of its own.
    ConfigModel board;
    decodeProgramImage(board, 1, image);
    std::vector<ChannelMessage> messages;
    switch (action.kind) {
    case Kind::pressKey:
    case Kind::releaseKey:
        messages = keyMessages(board, 0, action.number, action.kind == Kind::pressKey, action.value);
        break;
    case Kind::pressPiston:
    case Kind::releasePiston:
        if (action.number >= 1 && action.number <= pistonsPerManual)
            messages = pistonMessages(board.pistons[static_cast<std::size_t>(action.number - 1)],
                                      action.kind == Kind::pressPiston);
        break;
    case Kind::moveShoe:
        messages = shoeMessages(board, 0, action.number - 1, action.value);
        break;
    case Kind::send:
        break;
    }
    std::vector<Bytes> bytes;
    for (const ChannelMessage& message : messages)
        bytes.push_back(channelMessageBytes(message));
    return bytes;
}

} // namespace zkt
