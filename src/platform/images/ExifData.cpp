#include "ExifData.h"

#include <optional>

namespace lumetta::images {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kExifDirectoryTag = 0x8769;
constexpr std::uint16_t kPixelXDimensionTag = 0xA002;
constexpr std::uint16_t kPixelYDimensionTag = 0xA003;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::size_t kEntrySize = 12;

// A TIFF structure in either byte order; every access checks its bounds.
template <class Byte>
class TiffView {
public:
  explicit TiffView(std::span<Byte> bytes) : bytes_(bytes) {
    if (bytes.size() < 8) return;
    if (bytes[0] == 'I' && bytes[1] == 'I') valid_ = true, bigEndian_ = false;
    if (bytes[0] == 'M' && bytes[1] == 'M') valid_ = true, bigEndian_ = true;
    valid_ = valid_ && Read16(2) == 42;
  }

  bool valid() const { return valid_; }
  // Directories lie after the 8-byte header; an offset into it is damage.
  std::optional<std::uint32_t> FirstDirectory() const { return Directory(Read32(4)); }
  static std::optional<std::uint32_t> Directory(std::optional<std::uint32_t> offset) {
    return offset && *offset >= 8 ? offset : std::nullopt;
  }

  std::optional<std::uint16_t> Read16(std::size_t at) const {
    if (at > bytes_.size() || bytes_.size() - at < 2) return std::nullopt;
    const unsigned a = bytes_[at], b = bytes_[at + 1];
    return std::uint16_t(bigEndian_ ? a << 8 | b : b << 8 | a);
  }
  std::optional<std::uint32_t> Read32(std::size_t at) const {
    const auto first = Read16(at), second = Read16(at + 2);
    if (!first || !second) return std::nullopt;
    return bigEndian_ ? std::uint32_t(*first) << 16 | *second : std::uint32_t(*second) << 16 | *first;
  }
  void Write16(std::size_t at, std::uint16_t value) {
    if (!Read16(at)) return;
    bytes_[at] = std::uint8_t(bigEndian_ ? value >> 8 : value);
    bytes_[at + 1] = std::uint8_t(bigEndian_ ? value : value >> 8);
  }
  void Write32(std::size_t at, std::uint32_t value) {
    if (!Read32(at)) return;
    Write16(at + (bigEndian_ ? 2 : 0), std::uint16_t(value));
    Write16(at + (bigEndian_ ? 0 : 2), std::uint16_t(value >> 16));
  }

  // Offset of the 12-byte entry with this tag in the directory at `directory`.
  std::optional<std::size_t> FindEntry(std::uint32_t directory, std::uint16_t tag) const {
    const auto count = Read16(directory);
    if (!count) return std::nullopt;
    for (std::size_t i = 0; i < *count; ++i) {
      const std::size_t entry = std::size_t(directory) + 2 + i * kEntrySize;
      if (entry + kEntrySize > bytes_.size()) return std::nullopt;
      if (Read16(entry) == tag) return entry;
    }
    return std::nullopt;
  }

  // Offset of the link to the next directory, after the last entry.
  std::optional<std::size_t> NextDirectoryLink(std::uint32_t directory) const {
    const auto count = Read16(directory);
    if (!count) return std::nullopt;
    const std::size_t link = std::size_t(directory) + 2 + std::size_t(*count) * kEntrySize;
    if (!Read32(link)) return std::nullopt;
    return link;
  }

  // The single SHORT or LONG value held in the entry itself.
  std::optional<std::uint32_t> ReadNumber(std::size_t entry) const {
    const auto type = Read16(entry + 2);
    if (Read32(entry + 4) != 1u) return std::nullopt;
    if (type == kTypeShort) return Read16(entry + 8);
    if (type == kTypeLong) return Read32(entry + 8);
    return std::nullopt;
  }
  void WriteNumber(std::size_t entry, std::uint32_t value) {
    if (!ReadNumber(entry)) return;
    if (Read16(entry + 2) == kTypeLong) {
      Write32(entry + 8, value);
    } else if (value <= 0xFFFF) {
      Write16(entry + 8, std::uint16_t(value));
    }
  }

private:
  std::span<Byte> bytes_;
  bool valid_ = false;
  bool bigEndian_ = false;
};

}  // namespace

int ReadExifOrientation(std::span<const std::uint8_t> tiff) {
  const TiffView view(tiff);
  if (!view.valid()) return 1;
  const auto directory = view.FirstDirectory();
  if (!directory) return 1;
  const auto entry = view.FindEntry(*directory, kOrientationTag);
  if (!entry) return 1;
  const auto value = view.ReadNumber(*entry);
  return value && *value >= 1 && *value <= 8 ? int(*value) : 1;
}

void NormaliseExifAfterTurn(std::span<std::uint8_t> tiff, PictureSize storedSize) {
  TiffView view(tiff);
  if (!view.valid()) return;
  const auto directory = view.FirstDirectory();
  if (!directory) return;
  if (const auto link = view.NextDirectoryLink(*directory)) view.Write32(*link, 0);
  const auto exifEntry = view.FindEntry(*directory, kExifDirectoryTag);
  const auto exifDirectory = exifEntry ? TiffView<std::uint8_t>::Directory(view.ReadNumber(*exifEntry)) : std::nullopt;
  if (exifDirectory) {
    if (const auto entry = view.FindEntry(*exifDirectory, kPixelXDimensionTag))
      view.WriteNumber(*entry, storedSize.width);
    if (const auto entry = view.FindEntry(*exifDirectory, kPixelYDimensionTag))
      view.WriteNumber(*entry, storedSize.height);
  }
  // Last, so that damaged data whose fields overlap cannot undo it.
  if (const auto entry = view.FindEntry(*directory, kOrientationTag)) view.WriteNumber(*entry, 1);
}

}  // namespace lumetta::images
