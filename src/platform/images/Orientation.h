#pragma once

// EXIF orientation (1..8): how the stored pixels must be turned or mirrored to
// stand upright. 1 is upright already; 6 means turn a quarter clockwise, 8 a
// quarter counter-clockwise; 5 to 8 swap width and height. Values outside 1..8
// are taken as 1.

#include "PictureTypes.h"

namespace lumetta::images {

int ValidOrientation(int orientation);

PictureSize UprightSize(PictureSize stored, int orientation);

// The upright picture of pixels stored under this orientation.
BgraImage Reorient(const BgraImage& stored, int orientation);

// A quarter turn: W x H becomes H x W. Clockwise, pixel (x, y) goes to column
// H - 1 - y, row x; counter-clockwise to column y, row W - 1 - x.
BgraImage TurnQuarter(const BgraImage& image, bool clockwise);

}  // namespace lumetta::images
