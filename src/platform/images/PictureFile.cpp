#include "PictureFile.h"

#include "Pictures.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

namespace lumetta::images {
namespace {

PictureError SystemError(const char* what, const std::filesystem::path& path, int code) {
  return {std::string(what) + " " + path.string() + ": " + std::generic_category().message(code)};
}

PictureError ReadError(std::FILE* file, const std::filesystem::path& path) {
  return SystemError("cannot read", path, std::ferror(file) && errno != 0 ? errno : EIO);
}

}  // namespace

PictureResult<OpenedPicture> OpenPicture(const std::filesystem::path& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return SystemError("cannot open", path, errno);
  auto head = ReadHead(file.get(), path, 3);
  if (!head) return head.error();
  const PictureKind kind = DetectPictureKind(head.value());
  if (kind == PictureKind::Unknown) return PictureError{"not a JPEG or BMP picture"};
  return OpenedPicture{std::move(file), kind};
}

PictureResult<std::vector<std::uint8_t>> ReadHead(std::FILE* file, const std::filesystem::path& path,
                                                  std::size_t count) {
  std::vector<std::uint8_t> head(count);
  errno = 0;
  head.resize(std::fread(head.data(), 1, count, file));
  if (std::ferror(file) || std::fseek(file, 0, SEEK_SET) != 0) return ReadError(file, path);
  return head;
}

PictureResult<std::vector<std::uint8_t>> ReadWhole(std::FILE* file, const std::filesystem::path& path,
                                                   std::uint64_t maxBytes) {
  struct stat status {};
  if (fstat(fileno(file), &status) != 0) return SystemError("cannot read", path, errno);
  if (std::uint64_t(status.st_size) > maxBytes) return PictureError{"picture too large"};
  std::vector<std::uint8_t> bytes(std::size_t(status.st_size));
  errno = 0;
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  if (std::ferror(file)) return ReadError(file, path);
  return bytes;
}

std::uint64_t LongestBmpFile(const DecodeLimits& limits) { return limits.maxPixels * 4 + (std::uint64_t(1) << 20); }

}  // namespace lumetta::images
