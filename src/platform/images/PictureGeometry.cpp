#include "Pictures.h"

#include <algorithm>

namespace lumetta::images {

PictureSize FitInside(PictureSize picture, PictureSize box) {
  if (box.width == 0 || box.height == 0 || picture.width == 0 || picture.height == 0) return picture;
  const std::uint64_t pw = picture.width, ph = picture.height, bw = box.width, bh = box.height;
  // Compare the aspect ratios without division: pw/ph <= bw/bh means the
  // height fills the box and the width follows it.
  if (pw * bh <= bw * ph) {
    const std::uint64_t width = (pw * bh + ph / 2) / ph;
    return {std::uint32_t(std::max<std::uint64_t>(1, width)), box.height};
  }
  const std::uint64_t height = (ph * bw + pw / 2) / pw;
  return {box.width, std::uint32_t(std::max<std::uint64_t>(1, height))};
}

int ChooseJpegScale(PictureSize picture, PictureSize box) {
  if (box.width == 0 || box.height == 0) return 8;
  const std::uint64_t pw = picture.width, ph = picture.height, bw = box.width, bh = box.height;
  // M/8 >= min(bw/pw, bh/ph) holds when either side alone reaches its ratio.
  for (int m = 1; m < 8; ++m) {
    if (std::uint64_t(m) * pw >= 8 * bw || std::uint64_t(m) * ph >= 8 * bh) return m;
  }
  return 8;
}

PictureKind DetectPictureKind(std::span<const std::uint8_t> firstBytes) {
  if (firstBytes.size() >= 3 && firstBytes[0] == 0xFF && firstBytes[1] == 0xD8 && firstBytes[2] == 0xFF)
    return PictureKind::Jpeg;
  if (firstBytes.size() >= 2 && firstBytes[0] == 'B' && firstBytes[1] == 'M') return PictureKind::Bmp;
  return PictureKind::Unknown;
}

}  // namespace lumetta::images
