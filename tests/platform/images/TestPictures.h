#pragma once

// Small pictures made by the tests themselves: patterns, JPEG files written
// with libjpeg in every variant the decoder must read, EXIF segments, and
// temporary folders.

#include "JpegMetadata.h"
#include "PictureTypes.h"

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

namespace lumetta::images::testing {

struct Colour {
  std::uint8_t b = 0, g = 0, r = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Colour& c) {
    return out << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
  }
};
constexpr Colour kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

Colour PixelAt(const BgraImage& image, std::uint32_t x, std::uint32_t y);
bool Near(Colour a, Colour b, int tolerance);
bool AllOpaque(const BgraImage& image);

// Four flat quadrants: top-left, top-right, bottom-left, bottom-right.
BgraImage Quadrants(std::uint32_t width, std::uint32_t height, std::array<Colour, 4> colours = {kRed, kGreen, kBlue, kWhite});
// The colours at the centres of the four quadrants, in the same order.
std::array<Colour, 4> QuadrantColours(const BgraImage& image);
// Every pixel different from its neighbours (for lossless comparisons).
BgraImage Noise(std::uint32_t width, std::uint32_t height, std::uint32_t seed = 1);

enum class JpegSpace { YCbCr, Grayscale, AdobeCmyk, AdobeYcck };
struct JpegRecipe {
  JpegSpace space = JpegSpace::YCbCr;
  bool progressive = false;
  int restartRows = 0;
  bool arithmetic = false;
  bool scanPerCoefficient = false;  // 694 progressive scans; grayscale only
  int quality = 95;
  std::vector<JpegMarker> markers = {};
  bool jfif = true;  // a JFIF header (for YCbCr and grayscale)
};
// Written with libjpeg directly, independent of the encoder under test.
std::vector<std::uint8_t> WriteJpeg(const BgraImage& image, const JpegRecipe& recipe = {});
// Offset of the first marker FF code, or npos.
std::size_t FindMarker(const std::vector<std::uint8_t>& jpeg, std::uint8_t code);

struct ExifRecipe {
  bool bigEndian = false;
  int orientation = 1;  // 0: no orientation tag
  std::optional<PictureSize> pixelSize = {};  // PixelXDimension, PixelYDimension
  bool thumbnail = false;                // a second directory linked from the first
};
// An APP1 payload: "Exif\0\0" and the TIFF structure.
std::vector<std::uint8_t> ExifPayload(const ExifRecipe& recipe);
JpegMarker ExifMarker(const ExifRecipe& recipe);
// The first APP1 segment among the markers, or nullptr.
const JpegMarker* FindApp1(const std::vector<JpegMarker>& markers);

// The fields of a hand-made bitmap; BuildBmp lays them out as a writer would.
struct BmpRecipe {
  std::uint32_t headerSize = 40;
  std::int32_t width = 0, height = 0;
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> masks = {};  // after a 40-byte header, or inside a longer one
  std::vector<Colour> palette = {};
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint8_t> pixels = {};  // as stored
};

std::vector<std::uint8_t> BuildBmp(const BmpRecipe& recipe);
// Little-endian fields, for damaging a built file.
void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  std::vector<std::string> Names() const;  // sorted

private:
  std::filesystem::path path_;
};

}  // namespace lumetta::images::testing
