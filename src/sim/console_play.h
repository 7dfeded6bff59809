#pragma once
// What a board sends for something done at its console, by the image it holds: the messages of
// console_messages.h for its keys, the pistons of the standard groups and its shoes. The organ's
// own groups send nothing here: their messages are not known.

#include "model/bytes.h"
#include "sim/console_action.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zkt {

// image: the board's programImageSize bytes.
std::vector<Bytes> consoleMessagesFor(std::span<const std::uint8_t> image, const ConsoleAction& action);

} // namespace zkt
