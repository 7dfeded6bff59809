#pragma once
// One manual's 256-byte program image, the form in which an MCU stores its configuration,
// and its conversion to and from the model. Byte positions are numbered from 1, as in the
// image's layout table; use imageByte/setImageByte-style helpers to keep that visible.

#include "model/bytes.h"
#include "model/config_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zkt {

inline constexpr std::size_t programImageSize = 256; // bytes the device exchanges
inline constexpr std::size_t imageBufferSize = 260;  // bytes a file line carries
using ImageBuffer = std::array<std::uint8_t, imageBufferSize>;

// Bytes 1..255 FF, bytes 256..260 00: the buffer every encoding starts from.
ImageBuffer newProgramImage();

// A model value that does not fit its byte. The message names the manual, the record
// (piston and its group, channel, or keyboard), the field and the value.
class EncodeOverflow : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An image too short to decode; nothing of the model has been changed.
class ImageTooShort : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AhlbornFunction {
    int group;
    int type;
};
std::optional<AhlbornFunction> decodeAhlbornCode(std::uint8_t code);

// Throws std::out_of_range naming the number unless it is 1..maxManuals.
void checkManualNumber(int manual);

// Decodes image into manual (1..5) of model: its keyboard, channels and all 20 pistons (a
// piston the image does not assign reads as unassigned). An image that does not reach the last
// byte the decoder reads throws ImageTooShort before anything is changed.
void decodeProgramImage(ConfigModel& model, int manual, std::span<const std::uint8_t> image);

// Writes manual (1..5) of model into image, which the caller prepares with newProgramImage().
// Throws EncodeOverflow; the buffer is then partly written.
void encodeProgramImage(const ConfigModel& model, int manual, ImageBuffer& image);

// A fresh buffer with the manual encoded into it.
ImageBuffer encodedManual(const ConfigModel& model, int manual);

// Manuals 1..manuals of model as their images carry them: encoded and decoded again into a
// fresh model, so fields an image cannot hold read as an MCU would give them back. Throws
// EncodeOverflow.
ConfigModel throughImages(const ConfigModel& model, int manuals);

} // namespace zkt
