#include "JpegMetadata.h"

#include "ExifData.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace lumetta::images {
namespace {

constexpr int kApp1 = kJpegApp0 + 1;
constexpr int kApp2 = kJpegApp0 + 2;
constexpr int kApp14 = kJpegApp0 + 14;

constexpr std::string_view kExifSignature{"Exif\0\0", 6};
constexpr std::string_view kXmpSignature{"http://ns.adobe.com/xap/1.0/\0", 29};
constexpr std::string_view kIccSignature{"ICC_PROFILE\0", 12};

bool StartsWith(std::span<const std::uint8_t> data, std::string_view signature) {
  return data.size() >= signature.size() && std::memcmp(data.data(), signature.data(), signature.size()) == 0;
}

// XMP writes the orientation as an attribute (tiff:Orientation="6") or as an
// element (<tiff:Orientation>6</tiff:Orientation>); the digit becomes 1.
void ResetXmpOrientation(std::vector<std::uint8_t>& xmp) {
  for (const std::string_view prefix : {std::string_view("tiff:Orientation=\""), std::string_view("<tiff:Orientation>")}) {
    auto at = xmp.begin();
    while ((at = std::search(at, xmp.end(), prefix.begin(), prefix.end())) != xmp.end()) {
      at += std::ptrdiff_t(prefix.size());
      if (at != xmp.end() && *at >= '1' && *at <= '8') *at = '1';
    }
  }
}

bool KeepAfterTurn(const JpegMarker& marker) {
  if (marker.code == kJpegApp0 || marker.code == kApp14) return false;
  if (marker.code == kApp2) return StartsWith(marker.data, kIccSignature);
  return true;
}

}  // namespace

std::optional<int> ExifOrientationOfApp1(std::span<const std::uint8_t> payload) {
  if (!StartsWith(payload, kExifSignature)) return std::nullopt;
  return ReadExifOrientation(payload.subspan(kExifSignature.size()));
}

std::vector<JpegMarker> MarkersForTurnedPicture(std::vector<JpegMarker> markers, PictureSize storedSize) {
  std::erase_if(markers, [](const JpegMarker& marker) { return !KeepAfterTurn(marker); });
  for (JpegMarker& marker : markers) {
    if (marker.code != kApp1) continue;
    if (StartsWith(marker.data, kExifSignature)) {
      NormaliseExifAfterTurn(std::span(marker.data).subspan(kExifSignature.size()), storedSize);
    } else if (StartsWith(marker.data, kXmpSignature)) {
      ResetXmpOrientation(marker.data);
    }
  }
  return markers;
}

}  // namespace lumetta::images
