#include "Pictures.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

namespace lumetta::images {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string ErrorOf(const PictureResult<PictureSize>& result) { return result ? "read" : result.error().message; }
std::string ErrorOf(const PictureResult<DecodedPicture>& result) { return result ? "decoded" : result.error().message; }

TEST(PictureFiles, KindComesFromTheContentNotTheName) {
  TempFolder folder;
  WriteFile(folder / "jpeg.bmp", WriteJpeg(Quadrants(40, 24)));
  WriteFile(folder / "bmp.jpg", EncodeBmp24(Quadrants(24, 40)).value());
  WriteFile(folder / "noextension", WriteJpeg(Quadrants(16, 8)));

  EXPECT_EQ(ReadPictureSize(folder / "jpeg.bmp").value(), (PictureSize{40, 24}));
  EXPECT_EQ(DecodePicture(folder / "jpeg.bmp", 0, 0)->kind, PictureKind::Jpeg);
  EXPECT_EQ(ReadPictureSize(folder / "bmp.jpg").value(), (PictureSize{24, 40}));
  EXPECT_EQ(DecodePicture(folder / "bmp.jpg", 0, 0)->kind, PictureKind::Bmp);
  EXPECT_EQ(ReadPictureSize(folder / "noextension").value(), (PictureSize{16, 8}));
}

TEST(PictureFiles, FilesThatAreNoPicturesGiveClearErrors) {
  TempFolder folder;
  WriteFile(folder / "text.jpg", {'J', 'F', 'I', 'F'});
  WriteFile(folder / "empty.bmp", {});
  WriteFile(folder / "half-header.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00});
  fs::create_directory(folder / "folder.jpg");

  EXPECT_EQ(ErrorOf(ReadPictureSize(folder / "text.jpg")), "not a JPEG or BMP picture");
  EXPECT_EQ(ErrorOf(DecodePicture(folder / "empty.bmp", 0, 0)), "not a JPEG or BMP picture");
  EXPECT_EQ(ErrorOf(ReadPictureSize(folder / "half-header.jpg")), "truncated JPEG data");
  EXPECT_EQ(ErrorOf(ReadPictureSize(folder / "missing.jpg")).rfind("cannot open ", 0), 0u);
  EXPECT_EQ(ErrorOf(DecodePicture(folder / "folder.jpg", 0, 0)).rfind("cannot read ", 0), 0u);
}

TEST(PictureFiles, AHugeBmpHeaderIsRefusedFromTheHeaderAlone) {
  TempFolder folder;
  auto bmp = EncodeBmp24(Quadrants(2, 2)).value();
  bmp[18] = 0x40, bmp[19] = 0x9C;  // width 40000
  bmp[22] = 0x30, bmp[23] = 0x75;  // height 30000: 1.2 gigapixels
  WriteFile(folder / "huge.bmp", bmp);
  EXPECT_EQ(ErrorOf(ReadPictureSize(folder / "huge.bmp")), "picture too large");
  EXPECT_EQ(ErrorOf(DecodePicture(folder / "huge.bmp", 0, 0)), "picture too large");
  bmp[22] = 0x10, bmp[23] = 0x00;  // height 16: small enough, but the pixels are missing
  WriteFile(folder / "huge.bmp", bmp);
  EXPECT_EQ(ReadPictureSize(folder / "huge.bmp").value(), (PictureSize{40000, 16}));
  EXPECT_EQ(ErrorOf(DecodePicture(folder / "huge.bmp", 0, 0)), "truncated BMP data");
}

TEST(EncodeJpeg, WritesBaselineQuality90ThatReadsBack) {
  const auto jpeg = EncodeJpeg(Quadrants(48, 32));
  ASSERT_TRUE(jpeg) << jpeg.error().message;
  const auto& bytes = jpeg.value();
  EXPECT_NE(FindMarker(bytes, 0xC0), std::string::npos);
  EXPECT_EQ(FindMarker(bytes, 0xC2), std::string::npos);
  // Quality 90 scales the standard luminance table by 20 %: its first entry 16 becomes 3.
  const std::size_t dqt = FindMarker(bytes, 0xDB);
  ASSERT_NE(dqt, std::string::npos);
  EXPECT_EQ(bytes[dqt + 4], 0);  // table 0, 8-bit
  EXPECT_EQ(bytes[dqt + 5], 3);
  const std::size_t sof = FindMarker(bytes, 0xC0);
  EXPECT_EQ(bytes[sof + 9], 3) << "three colour components";

  const auto back = DecodePictureBytes(bytes, 0, 0);
  ASSERT_TRUE(back) << back.error().message;
  const auto colours = QuadrantColours(back->image);
  const std::array expected{kRed, kGreen, kBlue, kWhite};
  for (int q = 0; q < 4; ++q) EXPECT_TRUE(Near(colours[q], expected[q], 24)) << colours[q];
}

TEST(EncodeJpeg, RefusesWhatJpegCannotHold) {
  EXPECT_EQ(EncodeJpeg(BgraImage{}).error().message, "empty picture");
  BgraImage tooWide;
  tooWide.width = 70000, tooWide.height = 1;  // no pixels needed: refused from the size
  EXPECT_EQ(EncodeJpeg(tooWide).error().message, "picture too large for JPEG");
}

}  // namespace
}  // namespace lumetta::images
