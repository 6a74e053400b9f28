#include "TestPictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

namespace lumetta::images::testing {

Colour PixelAt(const BgraImage& image, std::uint32_t x, std::uint32_t y) {
  const std::uint8_t* p = image.row(y) + std::size_t(x) * 4;
  return {p[0], p[1], p[2]};
}

bool Near(Colour a, Colour b, int tolerance) {
  return std::abs(a.b - b.b) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.r - b.r) <= tolerance;
}

bool AllOpaque(const BgraImage& image) {
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
    if (image.pixels[i] != 255) return false;
  }
  return true;
}

BgraImage Quadrants(std::uint32_t width, std::uint32_t height, std::array<Colour, 4> colours) {
  BgraImage image(width, height);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const Colour c = colours[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
      std::uint8_t* p = image.row(y) + x * 4;
      p[0] = c.b, p[1] = c.g, p[2] = c.r, p[3] = 255;
    }
  }
  return image;
}

std::array<Colour, 4> QuadrantColours(const BgraImage& image) {
  const std::uint32_t left = image.width / 4, right = image.width * 3 / 4;
  const std::uint32_t top = image.height / 4, bottom = image.height * 3 / 4;
  return {PixelAt(image, left, top), PixelAt(image, right, top), PixelAt(image, left, bottom),
          PixelAt(image, right, bottom)};
}

BgraImage Noise(std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
  BgraImage image(width, height);
  std::uint32_t state = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    image.pixels[i] = i % 4 == 3 ? 255 : std::uint8_t(state >> 24);
  }
  return image;
}

namespace {

// Samples for libjpeg in the recipe's input layout.
std::vector<std::uint8_t> InputSamples(const BgraImage& image, JpegSpace space) {
  std::vector<std::uint8_t> samples;
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    const std::uint8_t b = image.pixels[i], g = image.pixels[i + 1], r = image.pixels[i + 2];
    if (space == JpegSpace::Grayscale) {
      samples.push_back(std::uint8_t((299 * r + 587 * g + 114 * b + 500) / 1000));
    } else if (space == JpegSpace::YCbCr) {
      samples.insert(samples.end(), {r, g, b});
    } else {
      // Adobe's inverted CMYK without black ink: the stored C, M, Y are R, G, B.
      samples.insert(samples.end(), {r, g, b, 255});
    }
  }
  return samples;
}

[[noreturn]] void AbortOnLibjpegError(j_common_ptr) { std::abort(); }

}  // namespace

std::vector<std::uint8_t> WriteJpeg(const BgraImage& image, const JpegRecipe& recipe) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  errors.error_exit = AbortOnLibjpegError;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);

  const int components = recipe.space == JpegSpace::Grayscale ? 1 : recipe.space == JpegSpace::YCbCr ? 3 : 4;
  cinfo.image_width = image.width;
  cinfo.image_height = image.height;
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  if (recipe.space == JpegSpace::AdobeCmyk) jpeg_set_colorspace(&cinfo, JCS_CMYK);
  if (recipe.space == JpegSpace::AdobeYcck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
  jpeg_set_quality(&cinfo, recipe.quality, TRUE);
  if (recipe.progressive) jpeg_simple_progression(&cinfo);
  std::vector<jpeg_scan_info> scans;
  if (recipe.scanPerCoefficient) {
    // DC, then each AC coefficient alone, first at 1/1024 precision and then
    // refined bit by bit: 1 + 63 * 11 scans, all valid.
    scans.push_back({1, {0, 0, 0, 0}, 0, 0, 0, 0});
    for (int k = 1; k < 64; ++k) {
      scans.push_back({1, {0, 0, 0, 0}, k, k, 0, 10});
      for (int al = 9; al >= 0; --al) scans.push_back({1, {0, 0, 0, 0}, k, k, al + 1, al});
    }
    cinfo.scan_info = scans.data();
    cinfo.num_scans = int(scans.size());
  }
  cinfo.restart_in_rows = recipe.restartRows;
  cinfo.arith_code = recipe.arithmetic ? TRUE : FALSE;
  if (!recipe.jfif) cinfo.write_JFIF_header = FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  for (const JpegMarker& marker : recipe.markers) {
    jpeg_write_marker(&cinfo, marker.code, marker.data.data(), unsigned(marker.data.size()));
  }
  std::vector<std::uint8_t> samples = InputSamples(image, recipe.space);
  const std::size_t stride = std::size_t(image.width) * components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = samples.data() + cinfo.next_scanline * stride;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

std::size_t FindMarker(const std::vector<std::uint8_t>& jpeg, std::uint8_t code) {
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
  }
  return std::string::npos;
}

namespace {

class TiffWriter {
public:
  explicit TiffWriter(bool bigEndian) : bigEndian_(bigEndian) {}
  std::vector<std::uint8_t> bytes;

  void Put16(std::uint16_t v) {
    bytes.push_back(std::uint8_t(bigEndian_ ? v >> 8 : v));
    bytes.push_back(std::uint8_t(bigEndian_ ? v : v >> 8));
  }
  void Put32(std::uint32_t v) {
    Put16(std::uint16_t(bigEndian_ ? v >> 16 : v));
    Put16(std::uint16_t(bigEndian_ ? v : v >> 16));
  }
  void Entry(std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
    Put16(tag), Put16(type), Put32(1);
    if (type == 3) {
      Put16(std::uint16_t(value)), Put16(0);
    } else {
      Put32(value);
    }
  }

private:
  bool bigEndian_;
};

}  // namespace

std::vector<std::uint8_t> ExifPayload(const ExifRecipe& recipe) {
  TiffWriter w(recipe.bigEndian);
  w.bytes = {std::uint8_t(recipe.bigEndian ? 'M' : 'I'), std::uint8_t(recipe.bigEndian ? 'M' : 'I')};
  w.Put16(42);
  w.Put32(8);
  const std::uint16_t entries = std::uint16_t((recipe.orientation ? 1 : 0) + (recipe.pixelSize ? 1 : 0));
  const std::uint32_t ifd0End = 8 + 2 + 12u * entries + 4;
  const std::uint32_t exifIfd = ifd0End, exifEnd = exifIfd + 2 + 2 * 12 + 4;
  const std::uint32_t ifd1 = recipe.pixelSize ? exifEnd : ifd0End;
  w.Put16(entries);
  if (recipe.orientation) w.Entry(0x0112, 3, std::uint32_t(recipe.orientation));
  if (recipe.pixelSize) w.Entry(0x8769, 4, exifIfd);
  w.Put32(recipe.thumbnail ? ifd1 : 0);
  if (recipe.pixelSize) {
    w.Put16(2);
    w.Entry(0xA002, 4, recipe.pixelSize->width);
    w.Entry(0xA003, 3, recipe.pixelSize->height);
    w.Put32(0);
  }
  if (recipe.thumbnail) {
    w.Put16(1);
    w.Entry(0x0103, 3, 6);  // JPEG-compressed thumbnail
    w.Put32(0);
  }
  static constexpr std::uint8_t kHeader[] = {'E', 'x', 'i', 'f', 0, 0};
  std::vector<std::uint8_t> payload(sizeof kHeader + w.bytes.size());
  std::copy(std::begin(kHeader), std::end(kHeader), payload.begin());
  std::copy(w.bytes.begin(), w.bytes.end(), payload.begin() + sizeof kHeader);
  return payload;
}

JpegMarker ExifMarker(const ExifRecipe& recipe) { return {kJpegApp0 + 1, ExifPayload(recipe)}; }

const JpegMarker* FindApp1(const std::vector<JpegMarker>& markers) {
  const auto found = std::find_if(markers.begin(), markers.end(), [](const JpegMarker& m) { return m.code == kJpegApp0 + 1; });
  return found == markers.end() ? nullptr : &*found;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = std::uint8_t(v), out[at + 1] = std::uint8_t(v >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v), Put16(out, at + 2, v >> 16);
}

std::vector<std::uint8_t> BuildBmp(const BmpRecipe& s) {
  const bool core = s.headerSize == 12;
  const std::size_t masksAfter = s.headerSize == 40 ? s.masks.size() * 4 : 0;
  const std::size_t paletteAt = 14 + s.headerSize + masksAfter;
  const std::size_t entry = core ? 3 : 4;
  // Room for the fields of an info header even when the header size is wrong.
  const std::size_t pixelsAt = std::max(paletteAt + s.palette.size() * entry, 54 + s.masks.size() * 4);
  std::vector<std::uint8_t> file(pixelsAt);
  file[0] = 'B', file[1] = 'M';
  Put32(file, 2, std::uint32_t(pixelsAt + s.pixels.size()));
  Put32(file, 10, std::uint32_t(pixelsAt));
  Put32(file, 14, s.headerSize);
  if (core) {
    Put16(file, 18, std::uint32_t(s.width)), Put16(file, 20, std::uint32_t(s.height));
    Put16(file, 22, 1), Put16(file, 24, s.bitsPerPixel);
  } else {
    Put32(file, 18, std::uint32_t(s.width)), Put32(file, 22, std::uint32_t(s.height));
    Put16(file, 26, 1), Put16(file, 28, s.bitsPerPixel);
    Put32(file, 30, s.compression), Put32(file, 34, std::uint32_t(s.pixels.size()));
    Put32(file, 46, s.colorsUsed);
    for (std::size_t i = 0; i < s.masks.size(); ++i) Put32(file, 54 + 4 * i, s.masks[i]);
  }
  for (std::size_t i = 0; i < s.palette.size(); ++i) {
    const Colour c = s.palette[i];
    std::copy_n(std::array<std::uint8_t, 4>{c.b, c.g, c.r, 0}.begin(), entry, file.begin() + std::ptrdiff_t(paletteAt + i * entry));
  }
  file.insert(file.end(), s.pixels.begin(), s.pixels.end());
  return file;
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lumetta-images-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lumetta::images::testing
