#include "FileReplacement.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetta::images {
namespace {

PictureError SystemError(const std::string& what, const std::filesystem::path& path, int code) {
  return {what + " " + path.string() + ": " + std::generic_category().message(code)};
}

bool WriteAll(int fd, std::span<const std::uint8_t> contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    contents = contents.subspan(std::size_t(written));
  }
  return true;
}

// The rename is durable only once the folder's entry is on disk too. The file
// is already replaced, so a failure here is not reported.
void FlushFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<PictureError> ReplaceFileContents(const std::filesystem::path& path,
                                                std::span<const std::uint8_t> contents) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  if (error) return SystemError("cannot open", path, error.value());
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) return SystemError("cannot open", path, errno);
  if (!S_ISREG(status.st_mode)) return PictureError{path.string() + " is not a regular file"};
  if ((status.st_mode & 0222) == 0) return PictureError{path.string() + " is read-only"};

  const std::filesystem::path folder = target.parent_path();
  // Hidden, and without the picture's extension, so that no folder listing
  // takes it for a photo.
  std::string hidden = target.filename().string();
  hidden.insert(hidden.begin(), '.');
  hidden.append(".turn-XXXXXX");
  std::string temporary = (folder / hidden).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return SystemError("cannot create a file in", folder, errno);

  const auto abandon = [&](const std::string& what) {
    const int code = errno;
    ::close(fd);
    ::unlink(temporary.c_str());
    return SystemError(what, temporary, code);
  };
  // Best effort: a file system without Unix permissions (a FAT memory card)
  // refuses them, and only a privileged user can give a file to another owner.
  [[maybe_unused]] const int modeKept = ::fchmod(fd, status.st_mode & 07777);
  [[maybe_unused]] const int ownerKept = ::fchown(fd, status.st_uid, status.st_gid);
  if (!WriteAll(fd, contents)) return abandon("cannot write");
  if (::fsync(fd) != 0) return abandon("cannot flush");
  if (::close(fd) != 0) {
    const int code = errno;
    ::unlink(temporary.c_str());
    return SystemError("cannot write", temporary, code);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int code = errno;
    ::unlink(temporary.c_str());
    return SystemError("cannot replace", path, code);
  }
  FlushFolder(folder);
  return std::nullopt;
}

}  // namespace lumetta::images
