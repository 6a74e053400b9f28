#include "JpegDecoder.h"
#include "Pictures.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

namespace lumetta::images {
namespace {

using namespace testing;
using ::testing::TestParamInfo;
using ::testing::TestWithParam;
using ::testing::ValuesIn;

constexpr int kLossy = 24;  // colour error allowed after a JPEG round trip

std::string ErrorOf(const PictureResult<DecodedPicture>& result) { return result ? "decoded" : result.error().message; }
const std::array<Colour, 4> kStored{kRed, kGreen, kBlue, kWhite};

struct VariantCase {
  const char* name;
  JpegRecipe recipe;
  std::array<Colour, 4> expected;
};

Colour Grey(Colour c) {
  const auto y = std::uint8_t((299 * c.r + 587 * c.g + 114 * c.b + 500) / 1000);
  return {y, y, y};
}

std::vector<VariantCase> Variants() {
  const std::array<Colour, 4> greys{Grey(kRed), Grey(kGreen), Grey(kBlue), Grey(kWhite)};
  return {
      {"baseline_ycbcr", {}, kStored},
      {"grayscale", {.space = JpegSpace::Grayscale}, greys},
      {"progressive", {.progressive = true}, kStored},
      {"restart_marker_every_row", {.restartRows = 1}, kStored},
      {"progressive_with_restart_markers", {.progressive = true, .restartRows = 2}, kStored},
      {"adobe_inverted_cmyk", {.space = JpegSpace::AdobeCmyk}, kStored},
      {"adobe_inverted_ycck", {.space = JpegSpace::AdobeYcck}, kStored},
      {"progressive_cmyk", {.space = JpegSpace::AdobeCmyk, .progressive = true}, kStored},
      {"arithmetic_coded", {.arithmetic = true}, kStored},
      {"progressive_grayscale", {.space = JpegSpace::Grayscale, .progressive = true}, greys},
  };
}

class JpegVariant : public TestWithParam<VariantCase> {};

TEST_P(JpegVariant, DecodesUprightOpaqueBgra) {
  const auto jpeg = WriteJpeg(Quadrants(64, 48, kStored), GetParam().recipe);
  const auto decoded = DecodePictureBytes(jpeg, 0, 0);
  ASSERT_TRUE(decoded) << decoded.error().message;
  EXPECT_EQ(decoded->kind, PictureKind::Jpeg);
  EXPECT_EQ(decoded->image.size(), (PictureSize{64, 48}));
  EXPECT_EQ(decoded->uprightSize, (PictureSize{64, 48}));
  EXPECT_TRUE(AllOpaque(decoded->image));
  const auto colours = QuadrantColours(decoded->image);
  for (int q = 0; q < 4; ++q) EXPECT_TRUE(Near(colours[q], GetParam().expected[q], kLossy)) << q << ": " << colours[q];
}

INSTANTIATE_TEST_SUITE_P(Jpeg, JpegVariant, ValuesIn(Variants()),
                         [](const TestParamInfo<VariantCase>& info) { return info.param.name; });

// Where the stored quadrants (R G / B W) appear once the orientation is applied.
struct OrientationCase {
  int orientation;
  std::array<Colour, 4> upright;
};
const OrientationCase kOrientations[] = {
    {1, {kRed, kGreen, kBlue, kWhite}}, {2, {kGreen, kRed, kWhite, kBlue}},
    {3, {kWhite, kBlue, kGreen, kRed}}, {4, {kBlue, kWhite, kRed, kGreen}},
    {5, {kRed, kBlue, kGreen, kWhite}}, {6, {kBlue, kRed, kWhite, kGreen}},
    {7, {kWhite, kGreen, kBlue, kRed}}, {8, {kGreen, kWhite, kRed, kBlue}},
};

class JpegOrientation : public TestWithParam<OrientationCase> {};

TEST_P(JpegOrientation, SizeAndPixelsComeUpright) {
  const OrientationCase& c = GetParam();
  TempFolder folder;
  const auto path = folder / "photo.jpg";
  for (const bool bigEndian : {false, true}) {
    WriteFile(path, WriteJpeg(Quadrants(96, 64), {.markers = {ExifMarker({.bigEndian = bigEndian, .orientation = c.orientation})}}));
    const PictureSize upright = c.orientation >= 5 ? PictureSize{64, 96} : PictureSize{96, 64};

    const auto size = ReadPictureSize(path);
    ASSERT_TRUE(size) << size.error().message;
    EXPECT_EQ(size.value(), upright);

    const auto decoded = DecodePicture(path, 0, 0);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->image.size(), upright);
    const auto colours = QuadrantColours(decoded->image);
    for (int q = 0; q < 4; ++q) EXPECT_TRUE(Near(colours[q], c.upright[q], kLossy)) << q << ": " << colours[q];
  }
}

INSTANTIATE_TEST_SUITE_P(Exif, JpegOrientation, ValuesIn(kOrientations),
                         [](const TestParamInfo<OrientationCase>& info) {
                           return "orientation_" + std::to_string(info.param.orientation);
                         });

TEST(JpegOrientation, DamagedOrOddExifCountsAsUpright) {
  auto exif = ExifPayload({.orientation = 6});
  for (const auto& payload : {std::vector<std::uint8_t>(exif.begin(), exif.begin() + 20),  // cut inside the directory
                              ExifPayload({.orientation = 9}), ExifPayload({.orientation = 0})}) {
    const auto jpeg = WriteJpeg(Quadrants(32, 16), {.markers = {{kJpegApp0 + 1, payload}}});
    const auto header = ReadJpegHeader({.bytes = jpeg}, {});
    ASSERT_TRUE(header) << header.error().message;
    EXPECT_EQ(header->orientation, 1);
  }
}

TEST(JpegScaling, DecodesAtTheSmallestScaleThatCoversTheFittedPicture) {
  const auto jpeg = WriteJpeg(Quadrants(256, 128));
  struct Case {
    PictureSize cover, expected;
  };
  for (const Case& c : {Case{{64, 64}, {64, 32}},     // fitted 64 x 32: 2/8 exactly
                        Case{{65, 64}, {96, 48}},     // fitted 65 x 33: 2/8 is too small, 3/8
                        Case{{1920, 1080}, {256, 128}},  // never above full size
                        Case{{0, 0}, {256, 128}},
                        Case{{1, 1}, {32, 16}}}) {
    const auto decoded = DecodePictureBytes(jpeg, c.cover.width, c.cover.height);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->image.size(), c.expected) << c.cover.width << "x" << c.cover.height;
    EXPECT_EQ(decoded->uprightSize, (PictureSize{256, 128}));
    const PictureSize fitted = FitInside({256, 128}, c.cover);
    EXPECT_GE(decoded->image.width, std::min(fitted.width, 256u));
    EXPECT_GE(decoded->image.height, std::min(fitted.height, 128u));
  }
}

TEST(JpegScaling, UsesTheUprightSizeOfATurnedPhoto) {
  // Stored 256 x 128, shown 128 x 256; into 64 x 64 it fits as 32 x 64: 2/8.
  const auto jpeg = WriteJpeg(Quadrants(256, 128), {.markers = {ExifMarker({.orientation = 6})}});
  const auto decoded = DecodePictureBytes(jpeg, 64, 64);
  ASSERT_TRUE(decoded) << decoded.error().message;
  EXPECT_EQ(decoded->image.size(), (PictureSize{32, 64}));
  EXPECT_EQ(decoded->uprightSize, (PictureSize{128, 256}));
}

TEST(JpegScaling, ScaleRule) {
  struct Case {
    PictureSize picture, box;
    int scale;
  };
  for (const Case& c : {Case{{6000, 4000}, {1920, 1080}, 3}, Case{{4000, 6000}, {1920, 1080}, 2},
                        Case{{1600, 1200}, {800, 600}, 4}, Case{{1600, 1200}, {200, 150}, 1},
                        Case{{1600, 1200}, {201, 160}, 2}, Case{{1600, 1200}, {201, 150}, 1}, Case{{1000, 1000}, {1920, 1080}, 8},
                        Case{{6000, 4000}, {0, 0}, 8}, Case{{6000, 4000}, {6000, 4000}, 8}}) {
    EXPECT_EQ(ChooseJpegScale(c.picture, c.box), c.scale) << c.picture.width << "x" << c.picture.height << " in "
                                                          << c.box.width << "x" << c.box.height;
  }
  EXPECT_EQ(FitInside({6000, 4000}, {1920, 1080}), (PictureSize{1620, 1080}));
  EXPECT_EQ(FitInside({4000, 6000}, {1920, 1080}), (PictureSize{720, 1080}));
  EXPECT_EQ(FitInside({10, 10000}, {100, 10}), (PictureSize{1, 10}));
  EXPECT_EQ(FitInside({640, 480}, {0, 0}), (PictureSize{640, 480}));
}

TEST(JpegDamage, EveryTruncationIsAnErrorNotAPartialPicture) {
  for (const JpegRecipe& recipe : {JpegRecipe{}, JpegRecipe{.progressive = true}, JpegRecipe{.restartRows = 1},
                                   JpegRecipe{.arithmetic = true}}) {
    const auto jpeg = WriteJpeg(Noise(40, 24), recipe);
    const std::size_t step = jpeg.size() / 200 + 1;
    // Up to the end of the last scan; a file missing only its final EOI marker is whole.
    for (std::size_t length = 0; length + 2 < jpeg.size(); length += step) {
      const std::span cut(jpeg.data(), length);
      const auto decoded = DecodePictureBytes(cut, 0, 0);
      ASSERT_FALSE(decoded) << "cut at " << length;
      EXPECT_EQ(decoded.error().message, length < 3 ? "not a JPEG or BMP picture" : "truncated JPEG data")
          << "cut at " << length;
    }
  }
}

TEST(JpegDamage, HeaderFieldsAreChecked) {
  const auto jpeg = WriteJpeg(Quadrants(64, 48));
  const std::size_t sof = FindMarker(jpeg, 0xC0);
  ASSERT_NE(sof, std::string::npos);
  const auto withSize = [&](std::uint16_t width, std::uint16_t height) {
    auto bad = jpeg;
    bad[sof + 5] = std::uint8_t(height >> 8), bad[sof + 6] = std::uint8_t(height);
    bad[sof + 7] = std::uint8_t(width >> 8), bad[sof + 8] = std::uint8_t(width);
    return bad;
  };
  EXPECT_EQ(DecodePictureBytes(withSize(65000, 65000), 0, 0).error().message, "picture too large");
  EXPECT_EQ(ReadJpegHeader({.bytes = withSize(65000, 65000)}, {}).error().message, "picture too large");
  EXPECT_FALSE(DecodePictureBytes(withSize(0, 48), 0, 0));

  auto badPrecision = jpeg;
  badPrecision[sof + 4] = 12;
  EXPECT_FALSE(DecodePictureBytes(badPrecision, 0, 0));

  auto noFrame = jpeg;
  noFrame[sof + 1] = 0xC3;  // lossless, which this decoder does not read
  const auto lossless = DecodePictureBytes(noFrame, 0, 0);
  ASSERT_FALSE(lossless);
  EXPECT_EQ(lossless.error().message.rfind("bad JPEG data: ", 0), 0u) << lossless.error().message;
}

TEST(JpegDamage, LimitsAreCheckedBeforeDecoding) {
  const auto jpeg = WriteJpeg(Quadrants(512, 256), {.progressive = true});
  EXPECT_EQ(ErrorOf(DecodePictureBytes(jpeg, 0, 0, {.maxPixels = 512 * 256 - 1})), "picture too large");
  EXPECT_EQ(ErrorOf(DecodePictureBytes(jpeg, 0, 0, {.maxPixels = 512 * 256})), "decoded");
  // A progressive picture keeps all its coefficients (here 384 KiB) in libjpeg's memory.
  EXPECT_EQ(ErrorOf(DecodePictureBytes(jpeg, 0, 0, {.maxDecoderMemory = 256 << 10})), "picture too large");
  EXPECT_EQ(ErrorOf(DecodePictureBytes(jpeg, 0, 0, {.maxDecoderMemory = 1 << 20})), "decoded");
}

TEST(JpegDamage, TooManyScansAreRefused) {
  const auto jpeg = WriteJpeg(Quadrants(16, 16), {.space = JpegSpace::Grayscale, .scanPerCoefficient = true});
  const auto decoded = DecodePictureBytes(jpeg, 0, 0);
  ASSERT_FALSE(decoded);
  EXPECT_EQ(decoded.error().message, "too many scans in progressive JPEG data");
}

TEST(JpegDamage, ThousandsOfCorruptDataWarningsMakeThePictureBroken) {
  // A restart marker after every row of blocks, each one numbered wrong: libjpeg
  // warns and resynchronises at each of them.
  auto jpeg = WriteJpeg(Quadrants(8, 8 * 1200), {.space = JpegSpace::Grayscale, .restartRows = 1});
  const std::size_t scan = FindMarker(jpeg, 0xDA);
  int renumbered = 0;
  for (std::size_t i = scan; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xD0 && jpeg[i + 1] <= 0xD7) {
      jpeg[i + 1] = std::uint8_t(0xD0 + (jpeg[i + 1] - 0xD0 + 3) % 8);
      ++renumbered;
    }
  }
  ASSERT_GT(renumbered, 1000);
  const auto decoded = DecodePictureBytes(jpeg, 0, 0);
  ASSERT_FALSE(decoded);
  EXPECT_EQ(decoded.error().message.rfind("corrupt JPEG data: ", 0), 0u) << decoded.error().message;
  // A few such warnings still give the picture.
  auto fewer = WriteJpeg(Quadrants(8, 8 * 20), {.space = JpegSpace::Grayscale, .restartRows = 1});
  const std::size_t marker = FindMarker(fewer, 0xD3);
  ASSERT_NE(marker, std::string::npos);
  fewer[marker + 1] = 0xD6;
  EXPECT_EQ(ErrorOf(DecodePictureBytes(fewer, 0, 0)), "decoded");
}

TEST(JpegDamage, GarbledScanDataDecodesOrFailsCleanly) {
  const auto jpeg = WriteJpeg(Noise(48, 32), {.restartRows = 1});
  const std::size_t scan = FindMarker(jpeg, 0xDA);
  ASSERT_NE(scan, std::string::npos);
  for (std::size_t at = scan + 14; at + 2 < jpeg.size(); at += 7) {
    auto bad = jpeg;
    bad[at] ^= 0x5A;
    const auto decoded = DecodePictureBytes(bad, 0, 0);
    if (decoded) {
      EXPECT_EQ(decoded->image.size(), (PictureSize{48, 32}));
    } else {
      EXPECT_FALSE(decoded.error().message.empty());
    }
  }
}

}  // namespace
}  // namespace lumetta::images
