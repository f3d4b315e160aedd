// Colour values as the whole program passes them (0x00BBGGRR, or a system colour), and the pixel
// words that surfaces store.
#pragma once

#include <array>
#include <cstdint>

namespace moravel {

// 0x00BBGGRR. A value with the top bit set names a system colour by the index in its low 24 bits
// (0x8000000F is the button face).
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kColourBits = 0x00FFFFFFu;
inline constexpr Colour kButtonFaceColour = 0x8000000Fu;

inline constexpr std::size_t kSystemColourCount = 31;
using SystemColourTable = std::array<Colour, kSystemColourCount>;

inline constexpr bool IsSystemColour(Colour colour) {
    return (colour & kSystemColourFlag) != 0;
}

// The classic Windows desktop scheme (the values GetSysColor gives under "Windows Standard").
const SystemColourTable& ClassicSystemColours();

// The table that system colours resolve through. Starts as the classic scheme; the UI layer puts
// the desktop's palette here.
const SystemColourTable& SystemColours();
void SetSystemColours(const SystemColourTable& table);

// The plain value of a system colour through the table; an index outside it gives black, as
// GetSysColor does.
Colour ResolveSystemColour(Colour colour);

// A plain 0x00BBGGRR value: system colours through the table, other values with their top byte
// dropped.
inline Colour ResolveColour(Colour colour) {
    return IsSystemColour(colour) ? ResolveSystemColour(colour) : colour & kColourBits;
}

// 0x00BBGGRR from 8-bit channels, and back.
inline constexpr Colour Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
inline constexpr std::uint32_t RedOf(Colour c) {
    return c & 0xFFu;
}
inline constexpr std::uint32_t GreenOf(Colour c) {
    return (c >> 8) & 0xFFu;
}
inline constexpr std::uint32_t BlueOf(Colour c) {
    return (c >> 16) & 0xFFu;
}

// A pixel as surfaces and icon pictures store it: the 32-bit device-independent bitmap layout,
// bytes blue, green, red, unused in memory, that is the word 0x00RRGGBB. Both front ends show it
// as it is (Qt's Format_RGB32, a Windows 32-bit DIB).
using PixelWord = std::uint32_t;

// The pixel of a plain colour (resolve a system colour first), and the colour of a pixel. Only the
// red and blue bytes trade places; the top byte is dropped.
inline constexpr PixelWord ToPixel(Colour plain) {
    return ((plain & 0xFFu) << 16) | (plain & 0xFF00u) | ((plain >> 16) & 0xFFu);
}
inline constexpr Colour ToColour(PixelWord pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

}  // namespace moravel
