#include "Pictures.h"

#include "BmpDecoder.h"
#include "BmpHeader.h"
#include "JpegDecoder.h"
#include "Orientation.h"
#include "PictureFile.h"

namespace lumetta::images {
namespace {

PictureResult<DecodedPicture> FromJpeg(PictureResult<DecodedJpeg> jpeg) {
  if (!jpeg) return jpeg.error();
  const JpegHeader& header = jpeg->header;
  return DecodedPicture{std::move(jpeg->image), UprightSize(header.storedSize, header.orientation), PictureKind::Jpeg};
}

PictureResult<DecodedPicture> FromBmp(PictureResult<BgraImage> bmp) {
  if (!bmp) return bmp.error();
  const PictureSize size = bmp->size();
  return DecodedPicture{std::move(bmp.value()), size, PictureKind::Bmp};
}

}  // namespace

PictureResult<PictureSize> ReadPictureSize(const std::filesystem::path& path, const DecodeLimits& limits) {
  auto opened = OpenPicture(path);
  if (!opened) return opened.error();
  std::FILE* file = opened->file.get();
  if (opened->kind == PictureKind::Jpeg) {
    auto header = ReadJpegHeader({.file = file}, limits);
    if (!header) return header.error();
    return UprightSize(header->storedSize, header->orientation);
  }
  auto head = ReadHead(file, path, kBmpLongestHeader);
  if (!head) return head.error();
  auto info = ParseBmpHeader(head.value(), limits);
  if (!info) return info.error();
  return info->size;
}

PictureResult<DecodedPicture> DecodePicture(const std::filesystem::path& path, std::uint32_t coverWidth,
                                            std::uint32_t coverHeight, const DecodeLimits& limits) {
  auto opened = OpenPicture(path);
  if (!opened) return opened.error();
  std::FILE* file = opened->file.get();
  if (opened->kind == PictureKind::Jpeg) {
    return FromJpeg(DecodeJpeg({.file = file}, {.cover = {coverWidth, coverHeight}, .limits = limits}));
  }
  auto bytes = ReadWhole(file, path, LongestBmpFile(limits));
  if (!bytes) return bytes.error();
  return FromBmp(DecodeBmp(bytes.value(), limits));
}

PictureResult<DecodedPicture> DecodePictureBytes(std::span<const std::uint8_t> bytes, std::uint32_t coverWidth,
                                                 std::uint32_t coverHeight, const DecodeLimits& limits) {
  switch (DetectPictureKind(bytes)) {
    case PictureKind::Jpeg:
      return FromJpeg(DecodeJpeg({.bytes = bytes}, {.cover = {coverWidth, coverHeight}, .limits = limits}));
    case PictureKind::Bmp:
      return FromBmp(DecodeBmp(bytes, limits));
    case PictureKind::Unknown:
      break;
  }
  return PictureError{"not a JPEG or BMP picture"};
}

}  // namespace lumetta::images
