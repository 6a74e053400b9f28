#pragma once

// JPEG writing through libjpeg: baseline, YCbCr 4:2:0, from BGRA pixels.
// Reentrant: each call has its own encoder.

#include "JpegMetadata.h"
#include "PictureTypes.h"

#include <optional>
#include <vector>

namespace lumetta::images {

struct JpegEncodeOptions {
  int quality = 90;                              // 1..100
  std::optional<JfifDensity> jfif = JfifDensity{};  // nothing: no JFIF header
  std::vector<JpegMarker> markers;               // written after the JFIF header, in order
};

// Errors: an empty image, one larger than 65500 pixels on a side, a marker
// longer than a JPEG segment can hold (65533 bytes) or with a code that is
// not APPn or COM.
PictureResult<std::vector<std::uint8_t>> EncodeJpegWith(const BgraImage& image, const JpegEncodeOptions& options);

}  // namespace lumetta::images
