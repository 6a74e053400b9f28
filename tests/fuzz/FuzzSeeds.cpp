// Writes a small starting corpus for each fuzz target: FOLDER/fuzz_jpeg,
// FOLDER/fuzz_bmp, FOLDER/fuzz_exif, FOLDER/fuzz_handoff and
// FOLDER/fuzz_settings. Usage: fuzz_seeds FOLDER

#include "Pictures.h"
#include "TestPictures.h"

#include <cstdio>
#include <string_view>

using namespace lumetta::images;
using namespace lumetta::images::testing;
namespace fs = std::filesystem;

namespace {

void WriteJpegSeeds(const fs::path& folder) {
  const BgraImage picture = Quadrants(40, 24);
  const JpegMarker icc{kJpegApp0 + 2, {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1, 0}};
  const JpegMarker exif = ExifMarker({.orientation = 6, .pixelSize = PictureSize{40, 24}, .thumbnail = true});
  const std::pair<const char*, JpegRecipe> recipes[] = {
      {"baseline", {}},
      {"grayscale", {.space = JpegSpace::Grayscale}},
      {"progressive", {.progressive = true}},
      {"restart", {.restartRows = 1}},
      {"cmyk", {.space = JpegSpace::AdobeCmyk}},
      {"ycck_progressive", {.space = JpegSpace::AdobeYcck, .progressive = true}},
      {"arithmetic", {.arithmetic = true}},
      {"exif_icc", {.markers = {exif, icc}, .jfif = false}},
  };
  for (const auto& [name, recipe] : recipes) WriteFile(folder / (std::string(name) + ".jpg"), WriteJpeg(picture, recipe));
  WriteFile(folder / "own_encoder.jpg", EncodeJpeg(Noise(17, 9)).value());
}

void WriteBmpSeeds(const fs::path& folder) {
  const std::vector<Colour> four{kBlack, kRed, kGreen, kBlue};
  const std::pair<const char*, BmpRecipe> recipes[] = {
      {"bits1", {.width = 3, .height = 2, .bitsPerPixel = 1, .palette = {kBlack, kWhite}, .pixels = {0x40, 0, 0, 0, 0xA0, 0, 0, 0}}},
      {"bits4_top_down", {.width = 3, .height = -2, .bitsPerPixel = 4, .palette = four, .pixels = {0x12, 0x30, 0, 0, 0x30, 0x10, 0, 0}}},
      {"rle8", {.width = 4, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = four,
                .pixels = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 2, 1, 0, 1, 1, 0, 1}}},
      {"rle4", {.width = 5, .height = 1, .bitsPerPixel = 4, .compression = 2, .palette = four,
                .pixels = {0, 3, 0x12, 0x30, 2, 0x33, 0, 1}}},
      {"bits16_565", {.width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
                      .pixels = {0xE0, 0x07, 0xFF, 0xFF}}},
      {"bits32_v5", {.headerSize = 124, .width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3,
                     .masks = {0xFF0000, 0xFF00, 0xFF, 0}, .pixels = {1, 2, 3, 4}}},
      {"core", {.headerSize = 12, .width = 2, .height = 1, .bitsPerPixel = 8, .palette = std::vector<Colour>(256, kRed),
                .pixels = {1, 0, 0, 0}}},
  };
  for (const auto& [name, recipe] : recipes) WriteFile(folder / (std::string(name) + ".bmp"), BuildBmp(recipe));
  WriteFile(folder / "bits24.bmp", EncodeBmp24(Noise(5, 3)).value());
}

void WriteExifSeeds(const fs::path& folder) {
  int n = 0;
  for (const bool bigEndian : {false, true}) {
    for (const ExifRecipe& recipe : {ExifRecipe{.bigEndian = bigEndian, .orientation = 8},
                                     ExifRecipe{.bigEndian = bigEndian, .orientation = 6, .pixelSize = PictureSize{4, 3},
                                                .thumbnail = true}}) {
      const auto payload = ExifPayload(recipe);
      WriteFile(folder / ("exif" + std::to_string(n++) + ".tif"), {payload.begin() + 6, payload.end()});
    }
  }
}

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A copy-data frame: message 0x4A, payload size, tag, byte count, the packed list.
std::vector<std::uint8_t> CopyDataFrame(std::uint32_t tag, std::string_view packed) {
  std::vector<std::uint8_t> frame;
  Put32(frame, 0x4A);
  Put32(frame, static_cast<std::uint32_t>(8 + packed.size()));
  Put32(frame, tag);
  Put32(frame, static_cast<std::uint32_t>(packed.size()));
  frame.insert(frame.end(), packed.begin(), packed.end());
  return frame;
}

void WriteHandOffSeeds(const fs::path& folder) {
  using namespace std::string_view_literals;
  WriteFile(folder / "two_arguments", CopyDataFrame(0xCF0E2BCA, "/photos/a\0/photos/b.jpg\0\0"sv));
  WriteFile(folder / "no_arguments", CopyDataFrame(0xCF0E2BCA, "\0"sv));
  WriteFile(folder / "unterminated", CopyDataFrame(0xCF0E2BCA, "/photos/a"sv));
  WriteFile(folder / "other_tag", CopyDataFrame(0x12345678, "x\0\0"sv));
}

void WriteSettingsSeeds(const fs::path& folder) {
  WriteFile(folder / "own_file", Bytes("random\r\n\r\n0.1625\r\n2\r\n-1\r\n43\r\n-1\r\n"));
  WriteFile(folder / "comma_and_words", Bytes("/music/a.mp3\nx\n-0,15\n10\nTRUE\r-1\r7"));
  WriteFile(folder / "exponents", Bytes("none\n\n1E15\n+3\nfalse\n2.5E-6\n"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  const fs::path root = argv[1];
  for (const char* target : {"fuzz_jpeg", "fuzz_bmp", "fuzz_exif", "fuzz_handoff", "fuzz_settings"})
    fs::create_directories(root / target);
  WriteJpegSeeds(root / "fuzz_jpeg");
  WriteBmpSeeds(root / "fuzz_bmp");
  WriteExifSeeds(root / "fuzz_exif");
  WriteHandOffSeeds(root / "fuzz_handoff");
  WriteSettingsSeeds(root / "fuzz_settings");
  return 0;
}
