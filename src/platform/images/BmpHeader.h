#pragma once

// The headers of a Windows bitmap: the 14-byte file header, then the core
// header (12 bytes) or an info header (40, 52, 56, 64, 108 or 124 bytes),
// the colour masks and the palette's place. Every field is checked.

#include "PictureTypes.h"

#include <array>
#include <span>

namespace lumetta::images {

enum class BmpCompression { None, Rle8, Rle4, Bitfields };

struct BmpInfo {
  PictureSize size;
  bool topDown = false;
  std::uint16_t bitsPerPixel = 0;  // 1, 4, 8, 16, 24 or 32
  BmpCompression compression = BmpCompression::None;
  std::uint32_t pixelOffset = 0;          // from the start of the file
  std::array<std::uint32_t, 3> masks{};   // red, green, blue for 16 and 32 bits per pixel
  std::size_t paletteOffset = 0;          // from the start of the file
  std::uint32_t paletteEntries = 0;       // for 1, 4 and 8 bits per pixel
  std::uint32_t paletteEntrySize = 4;     // 3 with the core header
};

// ParseBmpHeader needs no more than this many bytes from the start of a file.
constexpr std::size_t kBmpLongestHeader = 14 + 124 + 16;

// Errors: truncated headers, an unknown header size, a bad size or bit depth,
// an unsupported compression, a pixel offset inside the headers, and more than
// limits.maxPixels pixels.
PictureResult<BmpInfo> ParseBmpHeader(std::span<const std::uint8_t> head, const DecodeLimits& limits);

}  // namespace lumetta::images
