#pragma once

// Turning a picture file on disk by a quarter turn: the show's R and L keys.

#include "PictureTypes.h"

#include <filesystem>
#include <optional>

namespace lumetta::images {

// Decodes the picture at path upright (a JPEG's EXIF orientation applied),
// turns it a quarter clockwise (pixel (x, y) of W x H goes to column
// H - 1 - y, row x) or counter-clockwise (to column y, row W - 1 - x), and
// writes it back under the same name in the kind its content had:
// - a JPEG as a baseline JPEG of quality 90 (re-encoding loses a little, as
//   any rewrite of a JPEG does), keeping its EXIF data with the orientation
//   reset to 1 and the stored size updated, its ICC profile, comments and
//   other application segments (see MarkersForTurnedPicture);
// - a BMP as an uncompressed 24-bit BMP.
// The file is replaced as ReplaceFileContents describes: never half written,
// with its permission bits kept.
//
// Returns nothing on success; else why (the picture cannot be read or
// decoded, the file is read-only, the folder cannot be written, the disk is
// full...), and then the file is byte for byte as it was.
// Threading: any thread; no global state.
std::optional<PictureError> RotatePictureFile(const std::filesystem::path& path, bool clockwise,
                                              const DecodeLimits& limits = {});

}  // namespace lumetta::images
