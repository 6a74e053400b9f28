#pragma once

// Rewriting a file so that it is either wholly old or wholly new, never half
// written: the new contents go to a temporary file in the same folder, are
// flushed to disk, and are renamed over the file only when complete.

#include "PictureTypes.h"

#include <filesystem>
#include <optional>
#include <span>

namespace lumetta::images {

// Replaces the contents of the regular file at path (a symbolic link is
// followed and stays a link). The new file keeps the old one's permission
// bits and owner where the file system and the user's rights allow it (a FAT
// memory card has neither). Returns nothing on success; else why,
// and then the file is untouched and no temporary file is left behind.
// A file without any write permission bit counts as read-only and is refused,
// even for a user whose rights would allow replacing it.
// Blocks for the disk flush; call it off the user-interface thread if that
// matters. A file that grows past RLIMIT_FSIZE makes the process receive
// SIGXFSZ, which it must ignore for the error to come back as a value.
std::optional<PictureError> ReplaceFileContents(const std::filesystem::path& path,
                                                std::span<const std::uint8_t> contents);

}  // namespace lumetta::images
