#pragma once
// Where things live in a program image. Positions are 1-based, exactly as the layout table
// of the image numbers them; imageByte/setImageByte do the only translation to 0-based.

#include <cstdint>
#include <span>

namespace zkt::imagepos {

inline constexpr int formatByte = 1;
inline constexpr int analogNibbles = 3;  // 3..10, two channels per byte
inline constexpr int transposition = 11; // 11..26, one per channel
inline constexpr int archiveCrescendo = 27;
inline constexpr int channelEnableLow = 28;  // channels 1..8
inline constexpr int channelEnableHigh = 29; // channels 9..16
inline constexpr int keyboardConfig = 37;
inline constexpr int bankMsbEntries = 51;  // 51..90, two bytes per piston
inline constexpr int bankLsbEntries = 99;  // 99..138, two bytes per piston
inline constexpr int velocity = 193;       // 193..208, one per channel
inline constexpr int pistonsMarker = 209;  // 209..210
inline constexpr int mainEntries = 211;    // 211..250, two bytes per piston
inline constexpr int trailingMarker = 251; // 251..252

// The last position the decoder reads: an image must reach it.
inline constexpr int lastDecodedPosition = 250;

constexpr int pistonEntry(int firstPosition, int pistonInManual) {
    return firstPosition + 2 * pistonInManual;
}

inline std::uint8_t imageByte(std::span<const std::uint8_t> image, int position) {
    return image[static_cast<std::size_t>(position - 1)];
}

inline void setImageByte(std::span<std::uint8_t> image, int position, std::uint8_t value) {
    image[static_cast<std::size_t>(position - 1)] = value;
}

} // namespace zkt::imagepos
