#pragma once

// The metadata segments of a JPEG file (APPn and COM markers) and what happens
// to them when the picture is turned and written again.

#include "PictureTypes.h"

#include <optional>
#include <span>
#include <vector>

namespace lumetta::images {

struct JpegMarker {
  int code = 0;                    // 0xE0..0xEF for APP0..APP15, 0xFE for COM
  std::vector<std::uint8_t> data;  // the segment's payload, without the length
  friend bool operator==(const JpegMarker&, const JpegMarker&) = default;
};

constexpr int kJpegApp0 = 0xE0;
constexpr int kJpegComment = 0xFE;

// The pixel density of a JFIF header (APP0), kept across a rewrite.
struct JfifDensity {
  std::uint8_t unit = 0;  // 0 aspect ratio only, 1 dots per inch, 2 dots per cm
  std::uint16_t x = 1;
  std::uint16_t y = 1;
};

// The EXIF orientation (1..8) when this APP1 payload is an EXIF segment
// ("Exif\0\0" and a TIFF structure), else nothing.
std::optional<int> ExifOrientationOfApp1(std::span<const std::uint8_t> payload);

// The segments to write with a picture that was decoded upright, turned and is
// stored anew at storedSize:
// - EXIF (APP1): orientation 1, the new pixel size, the stale thumbnail unlinked;
// - XMP (APP1): its tiff:Orientation set to 1;
// - ICC profile chunks (APP2), other application segments (APP3..APP13,
//   APP15) and comments: unchanged, in their order;
// - dropped: APP0 (JFIF and its thumbnails; the encoder writes its own JFIF
//   header), other APP2 segments (a multi-picture index would point at data
//   that is no longer there) and APP14 (Adobe: it describes the old colour
//   transform).
std::vector<JpegMarker> MarkersForTurnedPicture(std::vector<JpegMarker> markers, PictureSize storedSize);

}  // namespace lumetta::images
