#include "RotatePictureFile.h"

#include "BmpDecoder.h"
#include "JpegDecoder.h"
#include "Pictures.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace lumetta::images {
namespace {

using namespace testing;
namespace fs = std::filesystem;

constexpr int kLossy = 24;

DecodedJpeg ReadJpegFile(const fs::path& path) {
  const auto bytes = ReadFile(path);
  auto decoded = DecodeJpeg({.bytes = bytes}, {.keepMetadata = true});
  if (!decoded) ADD_FAILURE() << decoded.error().message;
  return decoded ? std::move(decoded.value()) : DecodedJpeg{};
}

void ExpectQuadrants(const BgraImage& image, std::array<Colour, 4> expected, int tolerance = kLossy) {
  const auto colours = QuadrantColours(image);
  for (int q = 0; q < 4; ++q) EXPECT_TRUE(Near(colours[q], expected[q], tolerance)) << q << ": " << colours[q];
}

class RotatePictureFileTest : public ::testing::Test {
protected:
  TempFolder folder;
};

TEST_F(RotatePictureFileTest, TurnsABmpExactlyAndKeepsItABmp) {
  const BgraImage original = Noise(5, 3);
  for (const bool clockwise : {true, false}) {
    const fs::path path = folder / (clockwise ? "cw.bmp" : "ccw.bmp");
    WriteFile(path, EncodeBmp24(original).value());
    ASSERT_EQ(RotatePictureFile(path, clockwise), std::nullopt);
    const auto turned = DecodeBmp(ReadFile(path), {});
    ASSERT_TRUE(turned) << turned.error().message;
    ASSERT_EQ(turned->size(), (PictureSize{3, 5}));
    for (std::uint32_t y = 0; y < 3; ++y) {
      for (std::uint32_t x = 0; x < 5; ++x) {
        const Colour moved = clockwise ? PixelAt(turned.value(), 3 - 1 - y, x) : PixelAt(turned.value(), y, 5 - 1 - x);
        ASSERT_EQ(moved, PixelAt(original, x, y)) << (clockwise ? "clockwise " : "counter-clockwise ") << x << "," << y;
      }
    }
  }
}

TEST_F(RotatePictureFileTest, TurnsAJpegAndKeepsItsMetadata) {
  const fs::path path = folder / "photo.jpg";
  const JpegMarker icc{kJpegApp0 + 2, {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1, 42}};
  const JpegMarker comment{kJpegComment, {'h', 'i'}};
  WriteFile(path, WriteJpeg(Quadrants(96, 64), {.markers = {ExifMarker({.pixelSize = PictureSize{96, 64}}), icc, comment},
                                                .jfif = false}));

  ASSERT_EQ(RotatePictureFile(path, true), std::nullopt);
  const DecodedJpeg turned = ReadJpegFile(path);
  EXPECT_EQ(turned.image.size(), (PictureSize{64, 96}));
  ExpectQuadrants(turned.image, {kBlue, kRed, kWhite, kGreen});
  const auto bytes = ReadFile(path);
  EXPECT_NE(FindMarker(bytes, 0xC0), std::string::npos) << "baseline";
  EXPECT_EQ(FindMarker(bytes, 0xC2), std::string::npos) << "not progressive";
  ASSERT_GE(turned.markers.size(), 3u);
  const JpegMarker* exif = FindApp1(turned.markers);
  ASSERT_NE(exif, nullptr);
  EXPECT_EQ(exif->data, ExifPayload({.pixelSize = PictureSize{64, 96}}));
  EXPECT_NE(std::find(turned.markers.begin(), turned.markers.end(), icc), turned.markers.end());
  EXPECT_NE(std::find(turned.markers.begin(), turned.markers.end(), comment), turned.markers.end());
  EXPECT_FALSE(turned.jfif) << "a file with EXIF and no JFIF header stays so";
}

TEST_F(RotatePictureFileTest, FourClockwiseTurnsGiveBackSizeExifAndPicture) {
  const fs::path path = folder / "photo.jpg";
  const JpegMarker exif = ExifMarker({.bigEndian = true, .pixelSize = PictureSize{96, 64}});
  WriteFile(path, WriteJpeg(Quadrants(96, 64), {.markers = {exif}}));
  for (int turn = 0; turn < 4; ++turn) ASSERT_EQ(RotatePictureFile(path, true), std::nullopt) << turn;
  const DecodedJpeg back = ReadJpegFile(path);
  EXPECT_EQ(back.image.size(), (PictureSize{96, 64}));
  ExpectQuadrants(back.image, {kRed, kGreen, kBlue, kWhite});
  ASSERT_NE(FindApp1(back.markers), nullptr);
  EXPECT_EQ(*FindApp1(back.markers), exif);
}

TEST_F(RotatePictureFileTest, LeftThenRightGivesBackThePicture) {
  const fs::path path = folder / "photo.jpeg";
  WriteFile(path, WriteJpeg(Quadrants(64, 32)));
  ASSERT_EQ(RotatePictureFile(path, false), std::nullopt);
  EXPECT_EQ(ReadPictureSize(path).value(), (PictureSize{32, 64}));
  ExpectQuadrants(ReadJpegFile(path).image, {kGreen, kWhite, kRed, kBlue});
  ASSERT_EQ(RotatePictureFile(path, true), std::nullopt);
  ExpectQuadrants(ReadJpegFile(path).image, {kRed, kGreen, kBlue, kWhite});
  EXPECT_TRUE(ReadJpegFile(path).jfif) << "a plain JFIF file keeps its header";
}

TEST_F(RotatePictureFileTest, TurnsWhatIsShownAndStoresItUpright) {
  // Stored 96 x 64 with orientation 6: shown 64 x 96. A clockwise turn of what
  // is shown is 96 x 64, stored as it is shown, with orientation 1.
  const fs::path path = folder / "camera.jpg";
  WriteFile(path, WriteJpeg(Quadrants(96, 64), {.markers = {ExifMarker({.orientation = 6, .pixelSize = PictureSize{96, 64}, .thumbnail = true})}}));
  ASSERT_EQ(RotatePictureFile(path, true), std::nullopt);
  const DecodedJpeg turned = ReadJpegFile(path);
  EXPECT_EQ(turned.header.orientation, 1);
  EXPECT_EQ(turned.image.size(), (PictureSize{96, 64}));
  ExpectQuadrants(turned.image, {kWhite, kBlue, kGreen, kRed});  // shown B R / W G, turned clockwise
}

TEST_F(RotatePictureFileTest, KeepsPermissionBitsAndFollowsALink) {
  const fs::path path = folder / "photo.bmp";
  WriteFile(path, EncodeBmp24(Noise(4, 2)).value());
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = folder / "link.bmp";
  fs::create_symlink(path, link);
  ASSERT_EQ(RotatePictureFile(link, true), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadPictureSize(path).value(), (PictureSize{2, 4}));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.bmp", "photo.bmp"}));
}

TEST_F(RotatePictureFileTest, DecidesTheKindByContentNotByName) {
  const fs::path jpegNamedBmp = folder / "really-a-jpeg.bmp";
  WriteFile(jpegNamedBmp, WriteJpeg(Quadrants(32, 16)));
  ASSERT_EQ(RotatePictureFile(jpegNamedBmp, true), std::nullopt);
  EXPECT_EQ(DetectPictureKind(ReadFile(jpegNamedBmp)), PictureKind::Jpeg);

  const fs::path bmpNamedJpeg = folder / "really-a-bmp.jpg";
  WriteFile(bmpNamedJpeg, EncodeBmp24(Noise(3, 2)).value());
  ASSERT_EQ(RotatePictureFile(bmpNamedJpeg, true), std::nullopt);
  EXPECT_EQ(DetectPictureKind(ReadFile(bmpNamedJpeg)), PictureKind::Bmp);
}

// Every failure leaves the file as it was and no temporary file behind.
class RotateFailureTest : public RotatePictureFileTest {
protected:
  void ExpectUntouched(const fs::path& path, const std::vector<std::uint8_t>& before,
                       const std::optional<PictureError>& error, const std::string& expected) {
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find(expected), std::string::npos) << error->message;
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{path.filename().string()});
  }
};

TEST_F(RotateFailureTest, AWriteThatFailsHalfWay) {
  const fs::path path = folder / "photo.jpg";
  const auto before = WriteJpeg(Noise(64, 64));
  WriteFile(path, before);
  // The file-size limit stops the write part of the way through, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto error = RotatePictureFile(path, true);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  ExpectUntouched(path, before, error, "cannot write");
}

TEST_F(RotateFailureTest, AReadOnlyFile) {
  const fs::path path = folder / "photo.bmp";
  const auto before = EncodeBmp24(Noise(4, 4)).value();
  WriteFile(path, before);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  ExpectUntouched(path, before, RotatePictureFile(path, false), "is read-only");
}

TEST_F(RotateFailureTest, AReadOnlyFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write into any folder";
  const fs::path path = folder / "photo.bmp";
  const auto before = EncodeBmp24(Noise(4, 4)).value();
  WriteFile(path, before);
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const auto error = RotatePictureFile(path, true);
  fs::permissions(folder.path(), fs::perms::owner_all);
  ExpectUntouched(path, before, error, "cannot create a file in");
}

TEST_F(RotateFailureTest, APictureThatCannotBeDecoded) {
  const fs::path truncated = folder / "photo.jpg";
  auto jpeg = WriteJpeg(Noise(32, 32));
  jpeg.resize(jpeg.size() / 2);
  WriteFile(truncated, jpeg);
  ExpectUntouched(truncated, jpeg, RotatePictureFile(truncated, true), "truncated JPEG data");
}

TEST_F(RotateFailureTest, AFileThatIsNoPicture) {
  const fs::path path = folder / "notes.jpg";
  const std::vector<std::uint8_t> text{'h', 'e', 'l', 'l', 'o'};
  WriteFile(path, text);
  ExpectUntouched(path, text, RotatePictureFile(path, true), "not a JPEG or BMP picture");
}

TEST_F(RotateFailureTest, AMissingFile) {
  const auto error = RotatePictureFile(folder / "gone.jpg", true);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->message.rfind("cannot open ", 0), 0u) << error->message;
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace lumetta::images
