#include "ExifData.h"
#include "JpegMetadata.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <string_view>

namespace lumetta::images {
namespace {

using namespace testing;

std::span<std::uint8_t> Tiff(std::vector<std::uint8_t>& payload) { return std::span(payload).subspan(6); }

TEST(ExifAfterTurn, ResetsOrientationSetsSizeAndUnlinksThumbnailInBothByteOrders) {
  for (const bool bigEndian : {false, true}) {
    auto turned = ExifPayload({.bigEndian = bigEndian, .orientation = 6, .pixelSize = PictureSize{4000, 3000}, .thumbnail = true});
    const std::size_t length = turned.size();
    NormaliseExifAfterTurn(Tiff(turned), {3000, 4000});
    EXPECT_EQ(turned.size(), length);
    // As if written afresh for an upright 3000 x 4000 picture without a thumbnail.
    const auto expected = ExifPayload({.bigEndian = bigEndian, .orientation = 1, .pixelSize = PictureSize{3000, 4000}, .thumbnail = true});
    auto unlinked = expected;
    const std::size_t link = 6 + 8 + 2 + 2 * 12;  // after the two entries of the first directory
    std::fill_n(unlinked.begin() + std::ptrdiff_t(link), 4, 0);
    EXPECT_EQ(turned, unlinked) << (bigEndian ? "big-endian" : "little-endian");
    EXPECT_EQ(ReadExifOrientation(Tiff(turned)), 1);
  }
}

TEST(ExifAfterTurn, ASizeTooLargeForAShortFieldLeavesItAlone) {
  auto payload = ExifPayload({.orientation = 1, .pixelSize = PictureSize{10, 20}});
  auto copy = payload;
  NormaliseExifAfterTurn(Tiff(payload), {30, 70000});  // width is LONG, height SHORT
  const std::size_t widthValue = 6 + 8 + 2 + 2 * 12 + 4 + 2 + 8;
  EXPECT_EQ(payload[widthValue], 30);
  EXPECT_EQ(std::vector(payload.begin() + std::ptrdiff_t(widthValue) + 12, payload.end()),
            std::vector(copy.begin() + std::ptrdiff_t(widthValue) + 12, copy.end()));
}

TEST(ExifDamage, EveryCutAndEveryGarbledByteStaysInBounds) {
  const auto whole = ExifPayload({.bigEndian = true, .orientation = 8, .pixelSize = PictureSize{5, 6}, .thumbnail = true});
  for (std::size_t length = 6; length <= whole.size(); ++length) {
    std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
    const int orientation = ReadExifOrientation(Tiff(cut));
    EXPECT_TRUE(orientation == 1 || orientation == 8) << length;
    NormaliseExifAfterTurn(Tiff(cut), {6, 5});
    EXPECT_EQ(cut.size(), length);
  }
  for (std::size_t at = 6; at < whole.size(); ++at) {
    for (const std::uint8_t value : {0x00, 0x7F, 0xFF}) {
      auto garbled = whole;
      garbled[at] = value;
      const int orientation = ReadExifOrientation(Tiff(garbled));
      EXPECT_GE(orientation, 1);
      EXPECT_LE(orientation, 8);
      NormaliseExifAfterTurn(Tiff(garbled), {6, 5});
    }
  }
}

JpegMarker Segment(int code, std::string_view text) { return {code, {text.begin(), text.end()}}; }

TEST(MarkersAfterTurn, KeepWhatStillHoldsAndDropWhatNoLongerDoes) {
  using namespace std::string_view_literals;
  const JpegMarker icc = Segment(kJpegApp0 + 2, "ICC_PROFILE\0\x01\x01profile"sv);
  const JpegMarker comment = Segment(kJpegComment, "taken at the lake");
  const JpegMarker photoshop = Segment(kJpegApp0 + 13, "Photoshop 3.0\0data"sv);
  const std::vector<JpegMarker> kept = MarkersForTurnedPicture(
      {Segment(kJpegApp0, "JFIF\0"sv), ExifMarker({.orientation = 6}), icc, Segment(kJpegApp0 + 2, "MPF\0index"sv),
       comment, Segment(kJpegApp0 + 14, "Adobe"), photoshop},
      {10, 20});
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_EQ(kept[0].code, kJpegApp0 + 1);
  EXPECT_EQ(ExifOrientationOfApp1(kept[0].data), 1);
  EXPECT_EQ(kept[1], icc);
  EXPECT_EQ(kept[2], comment);
  EXPECT_EQ(kept[3], photoshop);
}

TEST(MarkersAfterTurn, XmpOrientationBecomesUpright) {
  using namespace std::string_view_literals;
  const auto xmp = "http://ns.adobe.com/xap/1.0/\0<x tiff:Orientation=\"6\"/><tiff:Orientation>8</tiff:Orientation>"sv;
  const auto kept = MarkersForTurnedPicture({Segment(kJpegApp0 + 1, xmp)}, {1, 1});
  ASSERT_EQ(kept.size(), 1u);
  const std::string text(kept[0].data.begin(), kept[0].data.end());
  EXPECT_NE(text.find("tiff:Orientation=\"1\""), std::string::npos) << text;
  EXPECT_NE(text.find("<tiff:Orientation>1<"), std::string::npos) << text;
  EXPECT_EQ(text.size(), xmp.size());
}

}  // namespace
}  // namespace lumetta::images
