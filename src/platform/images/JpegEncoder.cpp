#include "JpegEncoder.h"

#include "JpegErrorTrap.h"
#include "Pictures.h"

#include <algorithm>
#include <cstdlib>

namespace lumetta::images {
namespace {

constexpr std::uint32_t kLargestSide = 65500;
constexpr std::size_t kLongestSegment = 65533;

// A libjpeg compressor writing into a buffer that libjpeg allocates with
// malloc; both are freed with it.
struct Compressor {
  JpegErrorTrap trap;
  jpeg_compress_struct cinfo{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;

  Compressor() { trap.Install(reinterpret_cast<j_common_ptr>(&cinfo)); }
  ~Compressor() {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
  }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
};

bool IsMetadataCode(int code) { return (code >= JPEG_APP0 && code <= JPEG_APP0 + 15) || code == JPEG_COM; }

}  // namespace

PictureResult<std::vector<std::uint8_t>> EncodeJpegWith(const BgraImage& image, const JpegEncodeOptions& options) {
  if (image.width == 0 || image.height == 0) return PictureError{"empty picture"};
  if (image.width > kLargestSide || image.height > kLargestSide) return PictureError{"picture too large for JPEG"};
  for (const JpegMarker& marker : options.markers) {
    if (!IsMetadataCode(marker.code) || marker.data.size() > kLongestSegment)
      return PictureError{"bad JPEG metadata segment"};
  }

  Compressor c;
  if (!RunGuarded(c.trap, [&] {
        jpeg_create_compress(&c.cinfo);
        jpeg_mem_dest(&c.cinfo, &c.buffer, &c.size);
        c.cinfo.image_width = image.width;
        c.cinfo.image_height = image.height;
        c.cinfo.input_components = 4;
        c.cinfo.in_color_space = JCS_EXT_BGRA;
        jpeg_set_defaults(&c.cinfo);
        jpeg_set_quality(&c.cinfo, std::clamp(options.quality, 1, 100), TRUE);
        c.cinfo.write_JFIF_header = options.jfif ? TRUE : FALSE;
        if (options.jfif) {
          c.cinfo.density_unit = options.jfif->unit;
          c.cinfo.X_density = options.jfif->x;
          c.cinfo.Y_density = options.jfif->y;
        }
        jpeg_start_compress(&c.cinfo, TRUE);
        for (const JpegMarker& marker : options.markers) {
          jpeg_write_marker(&c.cinfo, marker.code, marker.data.data(), unsigned(marker.data.size()));
        }
        while (c.cinfo.next_scanline < c.cinfo.image_height) {
          JSAMPROW row = const_cast<JSAMPROW>(image.row(c.cinfo.next_scanline));
          jpeg_write_scanlines(&c.cinfo, &row, 1);
        }
        jpeg_finish_compress(&c.cinfo);
      }))
    return PictureError{c.trap.Message()};
  return std::vector<std::uint8_t>(c.buffer, c.buffer + c.size);
}

PictureResult<std::vector<std::uint8_t>> EncodeJpeg(const BgraImage& image) { return EncodeJpegWith(image, {}); }

}  // namespace lumetta::images
