#pragma once

// Opening and reading picture files for the codecs, with readable errors.

#include "PictureTypes.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace lumetta::images {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// An open picture file, positioned at its start, and its kind from its first
// bytes. Errors: the file cannot be opened or read, or it is neither a JPEG
// nor a BMP ("not a JPEG or BMP picture").
struct OpenedPicture {
  FileHandle file;
  PictureKind kind = PictureKind::Unknown;
};
PictureResult<OpenedPicture> OpenPicture(const std::filesystem::path& path);

// The first bytes of the file (up to `count`), then back at its start.
PictureResult<std::vector<std::uint8_t>> ReadHead(std::FILE* file, const std::filesystem::path& path,
                                                  std::size_t count);

// The whole file from its start. Errors: a read error, or a file longer than
// maxBytes ("picture too large"), refused before anything is allocated.
PictureResult<std::vector<std::uint8_t>> ReadWhole(std::FILE* file, const std::filesystem::path& path,
                                                   std::uint64_t maxBytes);

// The longest BMP file that a picture within the limits can need: 4 bytes a
// pixel and room for headers and a palette.
std::uint64_t LongestBmpFile(const DecodeLimits& limits);

}  // namespace lumetta::images
