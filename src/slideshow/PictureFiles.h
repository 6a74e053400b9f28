// The photo files as the show reads and turns them, through the picture codecs.
#pragma once

#include "slideshow/ShowServices.h"

class TPictureFiles final : public IPictureFiles {
public:
    std::optional<Size> ReadPictureSize(const std::string& Path) override;
    void RotatePictureFile(const std::string& Path, bool Clockwise) override;
};
