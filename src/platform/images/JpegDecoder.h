#pragma once

// JPEG reading through libjpeg: the header alone, or the pixels decoded with
// DCT scaling. Grayscale, YCbCr, RGB, CMYK and YCCK (Adobe's inverted CMYK),
// baseline, progressive and arithmetic-coded, with restart markers.
// Reentrant: each call has its own decoder.

#include "JpegMetadata.h"
#include "PictureTypes.h"

#include <cstdio>
#include <optional>
#include <span>
#include <vector>

namespace lumetta::images {

// Where the JPEG data comes from: a file read from its current position, or
// bytes in memory.
struct JpegSource {
  std::FILE* file = nullptr;
  std::span<const std::uint8_t> bytes = {};
};

struct JpegHeader {
  PictureSize storedSize;  // as the pixels are stored, before the orientation
  int orientation = 1;     // EXIF orientation, 1..8
};

// Reads the markers up to the first scan. Errors: not a JPEG, damaged or
// truncated header, more than limits.maxPixels pixels.
PictureResult<JpegHeader> ReadJpegHeader(const JpegSource& source, const DecodeLimits& limits);

struct JpegDecodeRequest {
  PictureSize cover = {};     // the box to cover (see ChooseJpegScale); 0 x 0 for full size
  DecodeLimits limits = {};
  bool keepMetadata = false;  // fill DecodedJpeg::markers and jfif
};

struct DecodedJpeg {
  BgraImage image;  // upright, at the chosen DCT scale
  JpegHeader header;
  std::vector<JpegMarker> markers;  // with keepMetadata: APP0..APP15 and COM, in file order
  std::optional<JfifDensity> jfif;  // with keepMetadata, when the file has a JFIF header
};

// Errors: those of ReadJpegHeader, plus damaged or truncated scan data, too
// many scans, and more than limits.maxDecoderMemory of working memory.
PictureResult<DecodedJpeg> DecodeJpeg(const JpegSource& source, const JpegDecodeRequest& request);

}  // namespace lumetta::images
