// The error that ends a show in which no photo of the list can be loaded as a
// texture: every photo was skipped, one after another, as often as the list
// has entries.
#pragma once

#include <stdexcept>

class TNoLoadablePhotos : public std::runtime_error {
public:
    TNoLoadablePhotos() : std::runtime_error("No photo of the list can be loaded.") {}
};
