#pragma once

// Windows bitmap decoding: 1, 4, 8 bits per pixel with a palette (RLE4 and
// RLE8 too), 16 and 32 bits with the default or BI_BITFIELDS masks, 24 bits;
// bottom-up and top-down rows; the core and info headers. Alpha is always
// 255. Reentrant.

#include "PictureTypes.h"

#include <span>

namespace lumetta::images {

// Errors: those of ParseBmpHeader, a palette or pixel data that ends early
// ("truncated BMP data"). Pixels that a compressed bitmap leaves out, or that
// name a colour beyond the palette, are black; runs beyond a row's end are cut.
PictureResult<BgraImage> DecodeBmp(std::span<const std::uint8_t> file, const DecodeLimits& limits);

}  // namespace lumetta::images
