#include "BenchPhotos.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "Pictures.h"

namespace benchphotos {

namespace fs = std::filesystem;
using lumetta::images::BgraImage;

const fs::path& LargePhoto() {
    static const fs::path path = [] {
        fs::path file = fs::path(LUMETTA_BENCH_DATA) / "gl-rings-6000x4000.jpg";
        if (fs::exists(file)) return file;
        BgraImage image(6000, 4000);
        std::uint32_t grain = 7;
        for (std::uint32_t y = 0; y < image.height; ++y) {
            std::uint8_t* p = image.row(y);
            for (std::uint32_t x = 0; x < image.width; ++x, p += 4) {
                grain = grain * 1103515245u + 12345u;
                int g = static_cast<int>((grain >> 26) & 15) - 8;
                double dx = x - 3000.0, dy = y - 2000.0;
                int ring = static_cast<int>(std::sqrt(dx * dx + dy * dy) / 9) % 64;
                p[0] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(y / 16) + g, 0, 255));
                p[1] = static_cast<std::uint8_t>(std::clamp(ring * 3 + g, 0, 255));
                p[2] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(x / 24) + g, 0, 255));
                p[3] = 255;
            }
        }
        fs::create_directories(file.parent_path());
        auto jpeg = lumetta::images::EncodeJpeg(image).value();
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
        return file;
    }();
    return path;
}

}  // namespace benchphotos
