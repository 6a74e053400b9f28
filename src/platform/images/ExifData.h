#pragma once

// The few EXIF fields the codecs read and fix: the orientation, the link to
// the thumbnail and the stored pixel size. They work on the TIFF structure
// that follows "Exif\0\0" in a JPEG's APP1 segment, bounds-checked throughout:
// damaged data is ignored, never read or written out of range.

#include "PictureTypes.h"

#include <span>

namespace lumetta::images {

// The orientation tag of the first image directory, 1..8; 1 when there is
// none or it is damaged.
int ReadExifOrientation(std::span<const std::uint8_t> tiff);

// Fixes the EXIF data, in place and without changing its length, for pixels
// that were decoded upright, turned and stored anew at storedSize: the
// orientation becomes 1, the stored pixel size (PixelXDimension and
// PixelYDimension) becomes storedSize, and the thumbnail is unlinked, since it
// still shows the old orientation.
void NormaliseExifAfterTurn(std::span<std::uint8_t> tiff, PictureSize storedSize);

}  // namespace lumetta::images
