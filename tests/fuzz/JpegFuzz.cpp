// JPEG header and pixel decoding, EXIF and the metadata kept by a turn.

#include "JpegDecoder.h"
#include "Orientation.h"

#include <cstdlib>

using namespace lumetta::images;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const DecodeLimits limits{.maxPixels = 1 << 20, .maxDecoderMemory = 128 << 20};
  const auto header = ReadJpegHeader({.bytes = bytes}, limits);

  // The last byte chooses the box, so that every DCT scale is reached.
  const std::uint32_t box = size > 0 ? data[size - 1] : 0;
  auto decoded = DecodeJpeg({.bytes = bytes}, {.cover = {box * 4, box * 3}, .limits = limits, .keepMetadata = true});
  if (!decoded) return 0;
  const BgraImage& image = decoded->image;
  if (!header || image.pixels.size() != std::size_t(image.width) * image.height * 4) std::abort();
  if (UprightSize(decoded->header.storedSize, decoded->header.orientation).width < image.width) std::abort();
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
    if (image.pixels[i] != 255) std::abort();
  }
  MarkersForTurnedPicture(std::move(decoded->markers), {image.height, image.width});
  return 0;
}
