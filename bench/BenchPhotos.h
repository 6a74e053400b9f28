// The photos the benchmarks draw, made once into the build tree's bench-data
// folder and reused by later runs.
#pragma once

#include <filesystem>

namespace benchphotos {

// A 6000 x 4000 (24-megapixel) JPEG of rings and fine grain over a colour
// ramp, so that the entropy decoder has a camera photo's work to do.
const std::filesystem::path& LargePhoto();

}  // namespace benchphotos
