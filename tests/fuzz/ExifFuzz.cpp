// The EXIF (TIFF) fields read and rewritten in place.

#include "ExifData.h"

#include <cstdlib>
#include <vector>

using namespace lumetta::images;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int orientation = ReadExifOrientation({data, size});
  if (orientation < 1 || orientation > 8) std::abort();
  std::vector<std::uint8_t> copy(data, data + size);
  NormaliseExifAfterTurn(copy, {640, 480});
  if (copy.size() != size) std::abort();
  // Once normalised, the picture is upright.
  if (ReadExifOrientation(copy) != 1) std::abort();
  return 0;
}
