#include "JpegDecoder.h"

#include "JpegErrorTrap.h"
#include "Orientation.h"
#include "Pictures.h"

#include <algorithm>
#include <climits>

namespace lumetta::images {
namespace {

constexpr int kApp1 = JPEG_APP0 + 1;
constexpr unsigned kLongestMarker = 0xFFFF;

// A libjpeg decompressor with its error trap, destroyed with it.
struct Decompressor {
  JpegErrorTrap trap;
  jpeg_decompress_struct cinfo{};

  Decompressor() { trap.Install(reinterpret_cast<j_common_ptr>(&cinfo)); }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  PictureError Error() const { return {trap.Message()}; }
};

bool ReadHeader(Decompressor& d, const JpegSource& source, const DecodeLimits& limits, bool keepMetadata) {
  return RunGuarded(d.trap, [&] {
    jpeg_create_decompress(&d.cinfo);
    d.trap.LimitScans(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = long(std::min<std::uint64_t>(limits.maxDecoderMemory, LONG_MAX));
    if (source.file != nullptr) {
      jpeg_stdio_src(&d.cinfo, source.file);
    } else {
      jpeg_mem_src(&d.cinfo, source.bytes.data(), static_cast<unsigned long>(source.bytes.size()));
    }
    jpeg_save_markers(&d.cinfo, kApp1, kLongestMarker);
    if (keepMetadata) {
      for (int code = JPEG_APP0; code <= JPEG_APP0 + 15; ++code) {
        if (code != kApp1) jpeg_save_markers(&d.cinfo, code, kLongestMarker);
      }
      jpeg_save_markers(&d.cinfo, JPEG_COM, kLongestMarker);
    }
    jpeg_read_header(&d.cinfo, TRUE);
  });
}

PictureResult<JpegHeader> HeaderOf(const jpeg_decompress_struct& cinfo, const DecodeLimits& limits) {
  JpegHeader header{{cinfo.image_width, cinfo.image_height}, 1};
  if (std::uint64_t(header.storedSize.width) * header.storedSize.height > limits.maxPixels)
    return PictureError{"picture too large"};
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker != kApp1) continue;
    if (const auto orientation = ExifOrientationOfApp1({m->data, m->data_length})) {
      header.orientation = *orientation;
      break;
    }
  }
  return header;
}

void KeepMetadata(const jpeg_decompress_struct& cinfo, DecodedJpeg& result) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    result.markers.push_back({m->marker, {m->data, m->data + m->data_length}});
  }
  if (cinfo.saw_JFIF_marker) result.jfif = JfifDensity{cinfo.density_unit, cinfo.X_density, cinfo.Y_density};
}

bool IsCmyk(const jpeg_decompress_struct& cinfo) {
  return cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
}

// Adobe's encoders store CMYK inverted (0 is full ink); libjpeg hands the
// values over as stored.
void ConvertCmykToBgra(BgraImage& image, bool inverted) {
  const auto ink = [inverted](unsigned value) { return inverted ? value : 255 - value; };
  const auto mix = [](unsigned a, unsigned b) { return std::uint8_t((a * b + 127) / 255); };
  std::uint8_t* p = image.pixels.data();
  for (std::size_t i = 0, n = image.pixels.size(); i < n; i += 4, p += 4) {
    const unsigned c = ink(p[0]), m = ink(p[1]), y = ink(p[2]), k = ink(p[3]);
    p[0] = mix(y, k);
    p[1] = mix(m, k);
    p[2] = mix(c, k);
    p[3] = 255;
  }
}

}  // namespace

PictureResult<JpegHeader> ReadJpegHeader(const JpegSource& source, const DecodeLimits& limits) {
  Decompressor d;
  if (!ReadHeader(d, source, limits, false)) return d.Error();
  return HeaderOf(d.cinfo, limits);
}

PictureResult<DecodedJpeg> DecodeJpeg(const JpegSource& source, const JpegDecodeRequest& request) {
  Decompressor d;
  if (!ReadHeader(d, source, request.limits, request.keepMetadata)) return d.Error();
  auto header = HeaderOf(d.cinfo, request.limits);
  if (!header) return header.error();

  DecodedJpeg result;
  result.header = header.value();
  if (request.keepMetadata) KeepMetadata(d.cinfo, result);

  const int orientation = result.header.orientation;
  const int scale = ChooseJpegScale(UprightSize(result.header.storedSize, orientation), request.cover);
  const bool cmyk = IsCmyk(d.cinfo);
  if (!RunGuarded(d.trap, [&] {
        d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
        d.cinfo.scale_num = unsigned(scale);
        d.cinfo.scale_denom = 8;
        jpeg_start_decompress(&d.cinfo);
      }))
    return d.Error();
  if (d.cinfo.output_components != 4) return PictureError{"bad JPEG data: unexpected colour layout"};

  BgraImage stored(d.cinfo.output_width, d.cinfo.output_height);
  bool stalled = false;
  if (!RunGuarded(d.trap, [&] {
        constexpr JDIMENSION kRowsPerCall = 16;
        JSAMPROW rows[kRowsPerCall];
        while (d.cinfo.output_scanline < d.cinfo.output_height) {
          const JDIMENSION first = d.cinfo.output_scanline;
          const JDIMENSION count = std::min(kRowsPerCall, d.cinfo.output_height - first);
          for (JDIMENSION i = 0; i < count; ++i) rows[i] = stored.row(first + i);
          if (jpeg_read_scanlines(&d.cinfo, rows, count) == 0) {
            stalled = true;
            return;
          }
        }
      }))
    return d.Error();
  if (stalled) return PictureError{"truncated JPEG data"};

  if (cmyk) ConvertCmykToBgra(stored, d.cinfo.saw_Adobe_marker);
  result.image = orientation == 1 ? std::move(stored) : Reorient(stored, orientation);
  return result;
}

}  // namespace lumetta::images
