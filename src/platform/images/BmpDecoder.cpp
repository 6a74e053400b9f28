#include "BmpDecoder.h"

#include "BmpHeader.h"

#include <algorithm>
#include <bit>

namespace lumetta::images {
namespace {

using Palette = std::array<std::array<std::uint8_t, 4>, 256>;  // B, G, R, A
constexpr std::array<std::uint8_t, 4> kBlack{0, 0, 0, 255};

Palette ReadPalette(std::span<const std::uint8_t> file, const BmpInfo& info) {
  Palette palette;
  palette.fill(kBlack);
  for (std::uint32_t i = 0; i < info.paletteEntries; ++i) {
    const std::uint8_t* entry = file.data() + info.paletteOffset + std::size_t(i) * info.paletteEntrySize;
    palette[i] = {entry[0], entry[1], entry[2], 255};
  }
  return palette;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
class MaskedChannel {
public:
  explicit MaskedChannel(std::uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), bits_(mask ? std::bit_width(mask >> shift_) : 0) {}

  std::uint8_t operator()(std::uint32_t pixel) const {
    const std::uint64_t value = (pixel & mask_) >> shift_;
    if (bits_ == 0) return 0;
    if (bits_ >= 8) return std::uint8_t(value >> (bits_ - 8));
    const std::uint64_t largest = (std::uint64_t(1) << bits_) - 1;
    return std::uint8_t((value * 255 + largest / 2) / largest);
  }

private:
  std::uint32_t mask_;
  int shift_;
  int bits_;
};

class RowConverter {
public:
  RowConverter(const BmpInfo& info, const Palette& palette)
      : info_(info), palette_(palette), red_(info.masks[0]), green_(info.masks[1]), blue_(info.masks[2]) {}

  void Convert(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t width = info_.size.width;
    switch (info_.bitsPerPixel) {
      case 1:
      case 4:
      case 8: return ConvertIndexed(in, out, width);
      case 24:
        for (std::uint32_t x = 0; x < width; ++x, in += 3, out += 4) {
          std::copy_n(in, 3, out);
          out[3] = 255;
        }
        return;
      case 16:
        for (std::uint32_t x = 0; x < width; ++x, in += 2, out += 4) Store(std::uint32_t(in[0] | in[1] << 8), out);
        return;
      default:
        for (std::uint32_t x = 0; x < width; ++x, in += 4, out += 4)
          Store(std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24, out);
    }
  }

private:
  void ConvertIndexed(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width) const {
    const unsigned bits = info_.bitsPerPixel;
    const unsigned mask = (1u << bits) - 1;
    for (std::uint32_t x = 0; x < width; ++x, out += 4) {
      const std::size_t bit = std::size_t(x) * bits;
      const unsigned index = (in[bit / 8] >> (8 - bits - bit % 8)) & mask;
      std::copy_n(palette_[index].data(), 4, out);
    }
  }

  void Store(std::uint32_t pixel, std::uint8_t* out) const {
    out[0] = blue_(pixel);
    out[1] = green_(pixel);
    out[2] = red_(pixel);
    out[3] = 255;
  }

  const BmpInfo& info_;
  const Palette& palette_;
  MaskedChannel red_, green_, blue_;
};

std::uint32_t OutputRow(const BmpInfo& info, std::uint64_t fileRow) {
  return info.topDown ? std::uint32_t(fileRow) : info.size.height - 1 - std::uint32_t(fileRow);
}

PictureResult<BgraImage> DecodeUncompressed(std::span<const std::uint8_t> file, const BmpInfo& info,
                                            const Palette& palette) {
  const std::uint64_t rowBytes = (std::uint64_t(info.size.width) * info.bitsPerPixel + 7) / 8;
  const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
  // The last row's padding may be missing.
  const std::uint64_t needed = (std::uint64_t(info.size.height) - 1) * stride + rowBytes;
  if (file.size() - info.pixelOffset < needed) return PictureError{"truncated BMP data"};

  BgraImage image(info.size.width, info.size.height);
  const RowConverter converter(info, palette);
  const std::uint8_t* data = file.data() + info.pixelOffset;
  for (std::uint32_t r = 0; r < info.size.height; ++r) converter.Convert(data + r * stride, image.row(OutputRow(info, r)));
  return image;
}

// Run-length data: pairs (count, index) and escapes (0, 0) end of row,
// (0, 1) end of picture, (0, 2, dx, dy) skip, (0, n, n indices) literal run
// padded to two bytes. RLE4 packs two indices a byte, used in turn.
PictureResult<BgraImage> DecodeRunLengths(std::span<const std::uint8_t> file, const BmpInfo& info,
                                          const Palette& palette) {
  const bool nibbles = info.compression == BmpCompression::Rle4;
  const std::uint32_t width = info.size.width, height = info.size.height;
  BgraImage image(width, height);
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) image.pixels[i] = 255;

  std::uint64_t x = 0, row = 0;
  const auto put = [&](unsigned index) {
    if (x < width && row < height) std::copy_n(palette[index].data(), 4, image.row(OutputRow(info, row)) + x * 4);
    ++x;
  };
  std::span<const std::uint8_t> data = file.subspan(info.pixelOffset);
  std::size_t at = 0;
  while (row < height) {
    if (data.size() - at < 2) return PictureError{"truncated BMP data"};
    const unsigned count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      const unsigned stop = unsigned(std::min<std::uint64_t>(count, x < width ? width - x : 0));
      for (unsigned i = 0; i < stop; ++i) put(nibbles ? (i % 2 ? value & 15 : value >> 4) : value);
      x += count - stop;
    } else if (value == 0) {
      x = 0, ++row;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (data.size() - at < 2) return PictureError{"truncated BMP data"};
      x += data[at], row += data[at + 1];
      at += 2;
    } else {
      const std::size_t bytes = nibbles ? (value + 1) / 2 : value;
      const std::size_t padded = (bytes + 1) / 2 * 2;
      if (data.size() - at < padded) return PictureError{"truncated BMP data"};
      for (unsigned i = 0; i < value; ++i) {
        const unsigned byte = data[at + (nibbles ? i / 2 : i)];
        put(nibbles ? (i % 2 ? byte & 15 : byte >> 4) : byte);
      }
      at += padded;
    }
  }
  return image;
}

}  // namespace

PictureResult<BgraImage> DecodeBmp(std::span<const std::uint8_t> file, const DecodeLimits& limits) {
  auto info = ParseBmpHeader(file, limits);
  if (!info) return info.error();
  const std::size_t paletteEnd = info->paletteOffset + std::size_t(info->paletteEntries) * info->paletteEntrySize;
  if (file.size() < paletteEnd || file.size() < info->pixelOffset) return PictureError{"truncated BMP data"};
  const Palette palette = ReadPalette(file, info.value());
  if (info->compression == BmpCompression::Rle4 || info->compression == BmpCompression::Rle8)
    return DecodeRunLengths(file, info.value(), palette);
  return DecodeUncompressed(file, info.value(), palette);
}

}  // namespace lumetta::images
