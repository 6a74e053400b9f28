#include "Pictures.h"

#include <algorithm>

namespace lumetta::images {
namespace {

constexpr std::size_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = std::uint8_t(value);
  at[1] = std::uint8_t(value >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t value) {
  Put16(at, std::uint16_t(value));
  Put16(at + 2, std::uint16_t(value >> 16));
}

}  // namespace

PictureResult<std::vector<std::uint8_t>> EncodeBmp24(const BgraImage& image) {
  if (image.width == 0 || image.height == 0) return PictureError{"empty picture"};
  const std::uint64_t stride = (std::uint64_t(image.width) * 3 + 3) / 4 * 4;
  const std::uint64_t total = kHeadersSize + stride * image.height;
  if (total > 0xFFFFFFFFu || image.width > 0x7FFFFFFFu || image.height > 0x7FFFFFFFu)
    return PictureError{"picture too large for BMP"};

  std::vector<std::uint8_t> file(total);
  std::uint8_t* h = file.data();
  h[0] = 'B', h[1] = 'M';
  Put32(h + 2, std::uint32_t(total));
  Put32(h + 10, std::uint32_t(kHeadersSize));
  Put32(h + 14, 40);
  Put32(h + 18, image.width);
  Put32(h + 22, image.height);  // positive: rows bottom-up
  Put16(h + 26, 1);
  Put16(h + 28, 24);
  Put32(h + 34, std::uint32_t(stride * image.height));
  Put32(h + 38, kPixelsPerMetre);
  Put32(h + 42, kPixelsPerMetre);

  for (std::uint32_t y = 0; y < image.height; ++y) {
    const std::uint8_t* in = image.row(image.height - 1 - y);
    std::uint8_t* out = file.data() + kHeadersSize + y * stride;
    for (std::uint32_t x = 0; x < image.width; ++x, in += 4, out += 3) std::copy_n(in, 3, out);
  }
  return file;
}

}  // namespace lumetta::images
