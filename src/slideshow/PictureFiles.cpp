#include "slideshow/PictureFiles.h"

#include <limits>
#include <stdexcept>

#include "Pictures.h"
#include "RotatePictureFile.h"

namespace images = lumetta::images;

std::optional<IPictureFiles::Size> TPictureFiles::ReadPictureSize(const std::string& Path) {
    auto size = images::ReadPictureSize(Path);
    constexpr auto kLargest = std::numeric_limits<std::uint16_t>::max();
    if (!size || size->width > kLargest || size->height > kLargest) return std::nullopt;
    return Size{static_cast<std::uint16_t>(size->width), static_cast<std::uint16_t>(size->height)};
}

void TPictureFiles::RotatePictureFile(const std::string& Path, bool Clockwise) {
    if (auto error = images::RotatePictureFile(Path, Clockwise))
        throw std::runtime_error("Cannot turn " + Path + ": " + error->message);
}
