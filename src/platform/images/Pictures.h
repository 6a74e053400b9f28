#pragma once

// The picture codecs as the show and the texture loader use them: JPEG and BMP
// files, told apart by their content (never by their name), read for their
// size, decoded upright to BGRA pixels, scaled down, and encoded again.
//
// Threading: every function here may run on any thread at the same time as any
// other; there is no global state. Failures: bad, truncated or hostile files
// give a PictureError with a readable message; nothing here throws for bad
// input (only std::bad_alloc can escape), crashes or hangs.

#include "PictureTypes.h"

#include <filesystem>
#include <span>

namespace lumetta::images {

// The kind of picture whose file begins with these bytes (the first 3 are
// enough): FF D8 FF is a JPEG, "BM" a Windows bitmap, anything else Unknown.
PictureKind DetectPictureKind(std::span<const std::uint8_t> firstBytes);

// Pixel size of the picture as it is shown: for a JPEG whose EXIF orientation
// is 5 to 8 (turned a quarter), width and height are swapped. Reads only the
// headers (for a JPEG, the markers up to the first scan), never the pixels.
// Errors: the file cannot be opened or read, is not a JPEG or BMP, has a
// damaged or truncated header, or is larger than limits.maxPixels.
PictureResult<PictureSize> ReadPictureSize(const std::filesystem::path& path,
                                           const DecodeLimits& limits = {});

struct DecodedPicture {
  BgraImage image;           // upright; see DecodePicture for its size
  PictureSize uprightSize;   // the full-size picture, upright
  PictureKind kind = PictureKind::Unknown;
};

// Decodes the picture upright (a JPEG's EXIF orientation is applied to the
// pixels) into BGRA with alpha 255.
//
// coverWidth x coverHeight is the box the picture will be fitted into (the
// screen), 0 x 0 for the full size. A JPEG is decoded with libjpeg's DCT
// scaling at M/8, where M is the smallest of 1..8 for which the scaled picture
// is at least as large as the picture fitted into the box (see
// ChooseJpegScale); so the result is never smaller than what the box shows,
// and at most the full size. Other pictures come at their full size. Bring the
// result to the exact size wanted with DownscaleArea.
//
// Errors: as ReadPictureSize, plus damaged or truncated pixel data (a JPEG
// whose data ends early is an error, not a partial picture), and a JPEG that
// needs more than limits.maxDecoderMemory of working memory.
PictureResult<DecodedPicture> DecodePicture(const std::filesystem::path& path,
                                            std::uint32_t coverWidth, std::uint32_t coverHeight,
                                            const DecodeLimits& limits = {});

// The same for a picture file already in memory.
PictureResult<DecodedPicture> DecodePictureBytes(std::span<const std::uint8_t> bytes,
                                                 std::uint32_t coverWidth,
                                                 std::uint32_t coverHeight,
                                                 const DecodeLimits& limits = {});

// The largest size of picture's aspect that fits into box (each side at
// least 1, rounded to the nearest pixel). It may be larger than the picture
// itself when the box is larger. A 0 x 0 box gives the picture's own size.
PictureSize FitInside(PictureSize picture, PictureSize box);

// The DCT scale numerator M (scale M/8, 1..8) that DecodePicture uses for a
// JPEG whose upright full size is picture: the smallest M with
// M/8 >= min(box.width / picture.width, box.height / picture.height), that is
// ceil(W * M / 8) >= FitInside(picture, box) on both sides; 8 when the box is
// 0 x 0 or at least as large as the picture.
int ChooseJpegScale(PictureSize picture, PictureSize box);

// Scales source down to width x height with an area (box) filter: each output
// pixel is the average of the source area it covers, fractional edges
// weighted. The size is clamped to 1..source size on each side (no
// enlarging). Exact halving takes a faster path. A photo-sized picture is
// shared out over up to four threads (the caller's among them); the result is
// the same as from one.
BgraImage DownscaleArea(const BgraImage& source, std::uint32_t width, std::uint32_t height);

// The next mip level: max(1, width / 2) x max(1, height / 2), area-filtered.
BgraImage HalveForMipLevel(const BgraImage& source);

// Baseline JPEG, quality 90, YCbCr with 4:2:0 subsampling (24-bit colour);
// alpha is ignored. Errors: an empty image or one larger than 65500 pixels on
// a side.
PictureResult<std::vector<std::uint8_t>> EncodeJpeg(const BgraImage& image);

// Uncompressed 24-bit Windows bitmap, bottom-up, 40-byte header; alpha is
// ignored. Errors: an empty image or one that would exceed 4 GiB.
PictureResult<std::vector<std::uint8_t>> EncodeBmp24(const BgraImage& image);

}  // namespace lumetta::images
