#include "BmpHeader.h"

#include <algorithm>
#include <string>

namespace lumetta::images {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 64;

// Compression codes of the info headers.
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

std::uint16_t Read16(std::span<const std::uint8_t> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }
std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t(Read16(b, at)) | std::uint32_t(Read16(b, at + 2)) << 16;
}

PictureError Unsupported(const BmpInfo& info, std::uint32_t compression) {
  return {"unsupported BMP format (" + std::to_string(info.bitsPerPixel) + " bits per pixel, compression " +
          std::to_string(compression) + ")"};
}

// Sets compression and masks; false for a combination no writer produces.
bool ChooseCompression(BmpInfo& info, std::uint32_t code, std::uint32_t headerSize) {
  const auto bits = info.bitsPerPixel;
  if (headerSize == kOs2HeaderSize && code > kBiRle4) return false;  // OS/2 codes 3 and 4 mean other things
  switch (code) {
    case kBiRgb:
      info.compression = BmpCompression::None;
      if (bits == 16) info.masks = {0x7C00, 0x03E0, 0x001F};
      if (bits == 32) info.masks = {0xFF0000, 0x00FF00, 0x0000FF};
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBiRle8:
      info.compression = BmpCompression::Rle8;
      return bits == 8;
    case kBiRle4:
      info.compression = BmpCompression::Rle4;
      return bits == 4;
    case kBiBitfields:
    case kBiAlphaBitfields:
      info.compression = BmpCompression::Bitfields;
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

}  // namespace

PictureResult<BmpInfo> ParseBmpHeader(std::span<const std::uint8_t> head, const DecodeLimits& limits) {
  if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') return PictureError{"not a BMP picture"};
  if (head.size() < kFileHeaderSize + 4) return PictureError{"truncated BMP data"};
  BmpInfo info;
  info.pixelOffset = Read32(head, 10);
  const std::uint32_t headerSize = Read32(head, kFileHeaderSize);
  constexpr std::array kKnownSizes{kCoreHeaderSize, kInfoHeaderSize, 52u, 56u, kOs2HeaderSize, 108u, 124u};
  if (std::find(kKnownSizes.begin(), kKnownSizes.end(), headerSize) == kKnownSizes.end())
    return PictureError{"unsupported BMP header (" + std::to_string(headerSize) + " bytes)"};
  if (head.size() < kFileHeaderSize + headerSize) return PictureError{"truncated BMP data"};

  std::int64_t width = 0, height = 0;
  std::uint32_t compression = kBiRgb, colorsUsed = 0;
  std::size_t headersEnd = kFileHeaderSize + headerSize;
  if (headerSize == kCoreHeaderSize) {
    width = Read16(head, 18);
    height = Read16(head, 20);
    info.bitsPerPixel = Read16(head, 24);
    info.paletteEntrySize = 3;
    if (info.bitsPerPixel == 16 || info.bitsPerPixel == 32) return Unsupported(info, compression);
  } else {
    width = std::int32_t(Read32(head, 18));
    height = std::int32_t(Read32(head, 22));
    info.bitsPerPixel = Read16(head, 28);
    compression = Read32(head, 30);
    colorsUsed = Read32(head, 46);
  }
  if (!ChooseCompression(info, compression, headerSize)) return Unsupported(info, compression);

  if (info.compression == BmpCompression::Bitfields) {
    // Masks follow a 40-byte header; the longer headers hold them.
    if (headerSize == kInfoHeaderSize) headersEnd += compression == kBiAlphaBitfields ? 16 : 12;
    if (head.size() < headersEnd) return PictureError{"truncated BMP data"};
    info.masks = {Read32(head, 54), Read32(head, 58), Read32(head, 62)};
  }

  if (width <= 0 || height == 0) {
    return PictureError{"bad BMP size " + std::to_string(width) + " x " + std::to_string(height)};
  }
  info.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (std::uint64_t(width) * std::uint64_t(height) > limits.maxPixels) return PictureError{"picture too large"};
  info.size = {std::uint32_t(width), std::uint32_t(height)};

  if (info.pixelOffset < headersEnd) return PictureError{"bad BMP pixel data offset"};
  info.paletteOffset = headersEnd;
  if (info.bitsPerPixel <= 8) {
    const std::uint32_t most = 1u << info.bitsPerPixel;
    info.paletteEntries = colorsUsed == 0 ? most : std::min(colorsUsed, most);
    // A palette that claims to run into the pixels is cut where they begin.
    info.paletteEntries = std::min<std::uint32_t>(
        info.paletteEntries, std::uint32_t((info.pixelOffset - headersEnd) / info.paletteEntrySize));
  }
  return info;
}

}  // namespace lumetta::images
