#include "Orientation.h"

#include <algorithm>
#include <cstring>

namespace lumetta::images {
namespace {

// Where the upright pixel (u, v) comes from: x = x0 + xu*u + xv*v, and the same
// for y. One row of this table per orientation.
struct SourceMapping {
  bool fromRight, fromBottom;  // x0 = W - 1, y0 = H - 1
  int xu, xv, yu, yv;
};

constexpr SourceMapping kMappings[8] = {
    {false, false, 1, 0, 0, 1},    // 1 upright
    {true, false, -1, 0, 0, 1},    // 2 mirrored left to right
    {true, true, -1, 0, 0, -1},    // 3 half turn
    {false, true, 1, 0, 0, -1},    // 4 mirrored top to bottom
    {false, false, 0, 1, 1, 0},    // 5 transposed
    {false, true, 0, 1, -1, 0},    // 6 needs a clockwise quarter turn
    {true, true, 0, -1, -1, 0},    // 7 transversed
    {true, false, 0, -1, 1, 0},    // 8 needs a counter-clockwise quarter turn
};

// Tiles keep both the rows read and the rows written in cache when the turn
// makes one of them walk down a column.
constexpr std::uint32_t kTile = 64;

}  // namespace

int ValidOrientation(int orientation) { return orientation >= 1 && orientation <= 8 ? orientation : 1; }

PictureSize UprightSize(PictureSize stored, int orientation) {
  return ValidOrientation(orientation) >= 5 ? PictureSize{stored.height, stored.width} : stored;
}

BgraImage Reorient(const BgraImage& stored, int orientation) {
  const SourceMapping& map = kMappings[ValidOrientation(orientation) - 1];
  const PictureSize upright = UprightSize(stored.size(), orientation);
  BgraImage result(upright.width, upright.height);
  if (result.pixels.empty()) return result;

  const std::ptrdiff_t w = stored.width, h = stored.height;
  const std::ptrdiff_t origin = (map.fromBottom ? h - 1 : 0) * w + (map.fromRight ? w - 1 : 0);
  const std::ptrdiff_t stepU = map.yu * w + map.xu;  // in pixels
  const std::ptrdiff_t stepV = map.yv * w + map.xv;
  const std::uint8_t* source = stored.pixels.data();
  constexpr std::size_t px = BgraImage::kBytesPerPixel;

  for (std::uint32_t v0 = 0; v0 < upright.height; v0 += kTile) {
    const std::uint32_t v1 = std::min(upright.height, v0 + kTile);
    for (std::uint32_t u0 = 0; u0 < upright.width; u0 += kTile) {
      const std::uint32_t u1 = std::min(upright.width, u0 + kTile);
      for (std::uint32_t v = v0; v < v1; ++v) {
        std::uint8_t* out = result.row(v) + u0 * px;
        std::ptrdiff_t from = origin + std::ptrdiff_t(u0) * stepU + std::ptrdiff_t(v) * stepV;
        for (std::uint32_t u = u0; u < u1; ++u, from += stepU, out += px) {
          std::memcpy(out, source + from * std::ptrdiff_t(px), px);
        }
      }
    }
  }
  return result;
}

BgraImage TurnQuarter(const BgraImage& image, bool clockwise) { return Reorient(image, clockwise ? 6 : 8); }

}  // namespace lumetta::images
