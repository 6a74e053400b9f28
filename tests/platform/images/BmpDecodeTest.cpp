#include "BmpDecoder.h"
#include "Pictures.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <map>

namespace lumetta::images {
namespace {

using namespace testing;
using ::testing::TestParamInfo;
using ::testing::TestWithParam;
using ::testing::ValuesIn;

constexpr Colour kYellow{0, 255, 255};

struct BmpCase {
  const char* name;
  BmpRecipe recipe;
  std::vector<std::string> rows;  // top-down, a letter a pixel: K W R G B Y
};

Colour Letter(char c) {
  static const std::map<char, Colour> colours{{'K', kBlack}, {'W', kWhite}, {'R', kRed},
                                              {'G', kGreen}, {'B', kBlue},  {'Y', kYellow}};
  return colours.at(c);
}

const std::vector<Colour> kFour{kBlack, kRed, kGreen, kBlue};

std::vector<BmpCase> Cases() {
  return {
      {"bits1_bottom_up", {.width = 3, .height = 2, .bitsPerPixel = 1, .palette = {kBlack, kWhite},
                           .pixels = {0x40, 0, 0, 0, 0xA0, 0, 0, 0}}, {"WKW", "KWK"}},
      {"bits4_top_down", {.width = 3, .height = -2, .bitsPerPixel = 4, .palette = kFour,
                          .pixels = {0x12, 0x30, 0, 0, 0x30, 0x10, 0, 0}}, {"RGB", "BKR"}},
      {"bits8_palette_of_five", {.width = 2, .height = 2, .bitsPerPixel = 8,
                                 .palette = {kBlack, kRed, kGreen, kBlue, kWhite}, .colorsUsed = 5,
                                 .pixels = {4, 3, 0, 0, 1, 2, 0, 0}}, {"RG", "WB"}},
      {"bits8_index_beyond_palette_is_black", {.width = 2, .height = 1, .bitsPerPixel = 8,
                                               .palette = {kRed, kGreen}, .colorsUsed = 2,
                                               .pixels = {1, 7, 0, 0}}, {"GK"}},
      {"bits16_default_555", {.width = 2, .height = 1, .bitsPerPixel = 16, .pixels = {0x00, 0x7C, 0x1F, 0x00}}, {"RB"}},
      {"bits16_bitfields_565", {.width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3,
                                .masks = {0xF800, 0x07E0, 0x001F}, .pixels = {0xE0, 0x07, 0xFF, 0xFF}}, {"GW"}},
      {"bits16_bitfields_in_56_byte_header", {.headerSize = 56, .width = 2, .height = 1, .bitsPerPixel = 16,
                                              .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0},
                                              .pixels = {0x00, 0xF8, 0xE0, 0xFF}}, {"RY"}},
      {"bits24_bottom_up_padded_rows", {.width = 2, .height = 2,
                                        .pixels = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}},
       {"RG", "BW"}},
      {"bits32_bgrx_ignores_alpha", {.width = 2, .height = 1, .bitsPerPixel = 32,
                                     .pixels = {0, 0, 255, 0, 0, 255, 0, 77}}, {"RG"}},
      {"bits32_bitfields_rgba_byte_order", {.width = 2, .height = 1, .bitsPerPixel = 32, .compression = 3,
                                            .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
                                            .pixels = {255, 0, 0, 0, 0, 0, 255, 0}}, {"RB"}},
      {"bits32_alpha_bitfields", {.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 6,
                                  .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
                                  .pixels = {0, 255, 255, 9}}, {"Y"}},
      {"bits32_124_byte_header", {.headerSize = 124, .width = 1, .height = -1, .bitsPerPixel = 32, .compression = 3,
                                  .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0}, .pixels = {255, 0, 0, 0}}, {"B"}},
      {"bits24_108_byte_header", {.headerSize = 108, .width = 1, .height = 1, .pixels = {0, 255, 0, 0}}, {"G"}},
      {"core_header_bits24", {.headerSize = 12, .width = 1, .height = 1, .pixels = {0, 255, 0, 0}}, {"G"}},
      {"core_header_palette_of_triples", {.headerSize = 12, .width = 2, .height = 1, .bitsPerPixel = 8,
                                          .palette = std::vector<Colour>(256, kYellow), .pixels = {1, 0, 0, 0}}, {"YY"}},
      {"rle8_runs_and_literals", {.width = 4, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = kFour,
                                  .pixels = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 1, 0, 1}}, {"GBGR", "RRRR"}},
      {"rle8_delta_leaves_black", {.width = 3, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = kFour,
                                   .pixels = {0, 2, 1, 1, 2, 2, 0, 1}}, {"KGG", "KKK"}},
      {"rle8_run_past_row_end_is_cut", {.width = 2, .height = 1, .bitsPerPixel = 8, .compression = 1,
                                        .palette = kFour, .pixels = {5, 1, 3, 2, 0, 1}}, {"RR"}},
      {"rle8_ends_when_rows_are_full", {.width = 1, .height = 1, .bitsPerPixel = 8, .compression = 1,
                                        .palette = kFour, .pixels = {1, 3, 0, 0}}, {"B"}},
      {"rle4_alternating_nibbles", {.width = 4, .height = 1, .bitsPerPixel = 4, .compression = 2, .palette = kFour,
                                    .pixels = {4, 0x12, 0, 1}}, {"RGRG"}},
      {"rle4_odd_literal_run", {.width = 5, .height = 1, .bitsPerPixel = 4, .compression = 2, .palette = kFour,
                                .pixels = {0, 3, 0x12, 0x30, 2, 0x33, 0, 1}}, {"RGBBB"}},
      {"rle4_top_down", {.width = 1, .height = -2, .bitsPerPixel = 4, .compression = 2, .palette = kFour,
                         .pixels = {1, 0x10, 0, 0, 1, 0x20, 0, 1}}, {"R", "G"}},
  };
}

class BmpKind : public TestWithParam<BmpCase> {};

TEST_P(BmpKind, DecodesToTheExpectedPixels) {
  const BmpCase& c = GetParam();
  const auto file = BuildBmp(c.recipe);
  const auto decoded = DecodePictureBytes(file, 0, 0);
  ASSERT_TRUE(decoded) << decoded.error().message;
  EXPECT_EQ(decoded->kind, PictureKind::Bmp);
  const PictureSize size{std::uint32_t(c.rows[0].size()), std::uint32_t(c.rows.size())};
  ASSERT_EQ(decoded->image.size(), size);
  EXPECT_TRUE(AllOpaque(decoded->image));
  for (std::uint32_t y = 0; y < size.height; ++y) {
    for (std::uint32_t x = 0; x < size.width; ++x) {
      EXPECT_EQ(PixelAt(decoded->image, x, y), Letter(c.rows[y][x])) << "pixel " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Bmp, BmpKind, ValuesIn(Cases()), [](const TestParamInfo<BmpCase>& info) { return info.param.name; });

std::string DecodeError(const std::vector<std::uint8_t>& file, const DecodeLimits& limits = {}) {
  const auto decoded = DecodeBmp(file, limits);
  return decoded ? "decoded" : decoded.error().message;
}

TEST(BmpDamage, EveryTruncationIsAnError) {
  const auto uncompressed = EncodeBmp24(Noise(17, 5)).value();
  const std::size_t lastPadding = 1;  // 17 * 3 = 51 bytes a row, stored as 52
  for (std::size_t length = 0; length + lastPadding < uncompressed.size(); ++length) {
    const std::vector<std::uint8_t> cut(uncompressed.begin(), uncompressed.begin() + std::ptrdiff_t(length));
    EXPECT_EQ(DecodeError(cut), length < 2 ? "not a BMP picture" : "truncated BMP data") << "cut at " << length;
  }
  const auto cases = Cases();
  const auto rleCase = std::find_if(cases.begin(), cases.end(),
                                    [](const BmpCase& c) { return std::string(c.name) == "rle8_runs_and_literals"; });
  const auto rle = BuildBmp(rleCase->recipe);
  for (std::size_t length = 2; length + 2 < rle.size(); ++length) {
    const std::vector<std::uint8_t> cut(rle.begin(), rle.begin() + std::ptrdiff_t(length));
    EXPECT_EQ(DecodeError(cut), "truncated BMP data") << "cut at " << length;
  }
}

TEST(BmpDamage, HeaderFieldsAreChecked) {
  const BmpRecipe good{.width = 1, .height = 1, .pixels = {0, 0, 0, 0}};
  const auto with = [&](auto change) {
    BmpRecipe recipe = good;
    change(recipe);
    return DecodeError(BuildBmp(recipe));
  };
  EXPECT_EQ(with([](BmpRecipe&) {}), "decoded");
  EXPECT_EQ(with([](BmpRecipe& s) { s.headerSize = 20; }), "unsupported BMP header (20 bytes)");
  EXPECT_EQ(with([](BmpRecipe& s) { s.bitsPerPixel = 7; }), "unsupported BMP format (7 bits per pixel, compression 0)");
  EXPECT_EQ(with([](BmpRecipe& s) { s.compression = 1; }), "unsupported BMP format (24 bits per pixel, compression 1)");
  EXPECT_EQ(with([](BmpRecipe& s) { s.compression = 4; }), "unsupported BMP format (24 bits per pixel, compression 4)");
  EXPECT_EQ(with([](BmpRecipe& s) { s.width = 0; }), "bad BMP size 0 x 1");
  EXPECT_EQ(with([](BmpRecipe& s) { s.width = -3; }), "bad BMP size -3 x 1");
  EXPECT_EQ(with([](BmpRecipe& s) { s.height = 0; }), "bad BMP size 1 x 0");
  // Sizes that would need gigabytes are refused before anything is allocated.
  EXPECT_EQ(with([](BmpRecipe& s) { s.width = 0x7FFFFFFF, s.height = 2; }), "picture too large");
  EXPECT_EQ(with([](BmpRecipe& s) { s.width = 65536, s.height = -65536; }), "picture too large");
  EXPECT_EQ(with([](BmpRecipe& s) { s.width = 40000, s.height = 2; }), "truncated BMP data");
  EXPECT_EQ(with([](BmpRecipe& s) { s.compression = 3, s.bitsPerPixel = 32; }), "truncated BMP data");  // no masks

  auto offsetInsideHeader = BuildBmp(good);
  Put32(offsetInsideHeader, 10, 20);
  EXPECT_EQ(DecodeError(offsetInsideHeader), "bad BMP pixel data offset");
  auto offsetPastEnd = BuildBmp(good);
  Put32(offsetPastEnd, 10, 1000);
  EXPECT_EQ(DecodeError(offsetPastEnd), "truncated BMP data");
  auto hugePalette = BuildBmp({.width = 1, .height = 1, .bitsPerPixel = 8, .palette = {kRed}, .pixels = {0, 0, 0, 0}});
  Put32(hugePalette, 46, 0xFFFFFFFF);
  EXPECT_EQ(DecodeError(hugePalette), "decoded");

  EXPECT_EQ(DecodeError(BuildBmp({.width = 4, .height = 4, .pixels = std::vector<std::uint8_t>(48)}), {.maxPixels = 15}),
            "picture too large");
}

TEST(BmpDamage, RunLengthEscapesCannotOverrunTheImage) {
  // Deltas far outside, runs past the end of rows and rows past the bottom.
  const auto decoded = DecodeBmp(BuildBmp({.width = 2, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = kFour,
                                           .pixels = {0, 2, 255, 0, 255, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 0, 255, 9, 9}}),
                                 {});
  ASSERT_TRUE(decoded) << decoded.error().message;
  EXPECT_EQ(decoded->size(), (PictureSize{2, 2}));
  EXPECT_TRUE(AllOpaque(decoded.value()));
}

TEST(BmpEncode, Writes24BitBottomUpAndReadsBackExactly) {
  const BgraImage image = Noise(7, 3, 42);
  const auto file = EncodeBmp24(image);
  ASSERT_TRUE(file) << file.error().message;
  ASSERT_EQ(file->size(), 54u + 24u * 3);  // rows of 21 bytes padded to 24
  EXPECT_EQ(file.value()[28], 24);         // bits per pixel
  EXPECT_EQ(file.value()[22], 3);          // positive height: bottom-up
  const auto back = DecodeBmp(file.value(), {});
  ASSERT_TRUE(back) << back.error().message;
  EXPECT_EQ(back->pixels, image.pixels);
  EXPECT_FALSE(EncodeBmp24(BgraImage{}));
}

}  // namespace
}  // namespace lumetta::images
