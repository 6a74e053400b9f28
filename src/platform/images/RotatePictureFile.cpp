#include "RotatePictureFile.h"

#include "BmpDecoder.h"
#include "FileReplacement.h"
#include "JpegDecoder.h"
#include "JpegEncoder.h"
#include "Orientation.h"
#include "PictureFile.h"
#include "Pictures.h"

#include <algorithm>

namespace lumetta::images {
namespace {

bool HasExif(const std::vector<JpegMarker>& markers) {
  return std::any_of(markers.begin(), markers.end(), [](const JpegMarker& marker) {
    return marker.code == kJpegApp0 + 1 && ExifOrientationOfApp1(marker.data).has_value();
  });
}

PictureResult<std::vector<std::uint8_t>> TurnedJpeg(std::FILE* file, bool clockwise, const DecodeLimits& limits) {
  auto decoded = DecodeJpeg({.file = file}, {.limits = limits, .keepMetadata = true});
  if (!decoded) return decoded.error();
  const BgraImage turned = TurnQuarter(decoded->image, clockwise);
  JpegEncodeOptions options;
  options.markers = MarkersForTurnedPicture(std::move(decoded->markers), turned.size());
  // A camera's file (EXIF without JFIF) stays without a JFIF header.
  options.jfif = decoded->jfif;
  if (!options.jfif && !HasExif(options.markers)) options.jfif = JfifDensity{};
  return EncodeJpegWith(turned, options);
}

PictureResult<std::vector<std::uint8_t>> TurnedBmp(std::FILE* file, const std::filesystem::path& path,
                                                   bool clockwise, const DecodeLimits& limits) {
  auto bytes = ReadWhole(file, path, LongestBmpFile(limits));
  if (!bytes) return bytes.error();
  auto decoded = DecodeBmp(bytes.value(), limits);
  if (!decoded) return decoded.error();
  return EncodeBmp24(TurnQuarter(decoded.value(), clockwise));
}

}  // namespace

std::optional<PictureError> RotatePictureFile(const std::filesystem::path& path, bool clockwise,
                                              const DecodeLimits& limits) {
  auto opened = OpenPicture(path);
  if (!opened) return opened.error();
  auto turned = opened->kind == PictureKind::Jpeg ? TurnedJpeg(opened->file.get(), clockwise, limits)
                                                  : TurnedBmp(opened->file.get(), path, clockwise, limits);
  opened->file.reset();
  if (!turned) return turned.error();
  return ReplaceFileContents(path, turned.value());
}

}  // namespace lumetta::images
