// BMP headers, palettes, masks and run lengths.

#include "BmpDecoder.h"
#include "BmpHeader.h"
#include "Pictures.h"

#include <cstdlib>

using namespace lumetta::images;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const DecodeLimits limits{.maxPixels = 1 << 20};
  const auto header = ParseBmpHeader(bytes.first(std::min(size, kBmpLongestHeader)), limits);
  const auto decoded = DecodeBmp(bytes, limits);
  if (!decoded) return 0;
  const BgraImage& image = decoded.value();
  if (!header || header->size != image.size()) std::abort();
  if (image.pixels.size() != std::size_t(image.width) * image.height * 4) std::abort();
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
    if (image.pixels[i] != 255) std::abort();
  }
  const BgraImage smaller = HalveForMipLevel(image);
  if (smaller.width != std::max(1u, image.width / 2) || smaller.height != std::max(1u, image.height / 2)) std::abort();
  return 0;
}
