#pragma once

// Value types shared by the picture codecs and their callers.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace lumetta::images {

// Why a picture could not be read, decoded or written: a sentence for a person,
// such as "truncated JPEG data" or "not a JPEG or BMP picture".
struct PictureError {
  std::string message;
};

// Either a value or the error that prevented it. Codec functions never throw
// for bad input; only std::bad_alloc can escape them.
template <class T>
class PictureResult {
public:
  PictureResult(T value) : state_(std::move(value)) {}
  PictureResult(PictureError error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only when ok().
  T& value() { return std::get<0>(state_); }
  const T& value() const { return std::get<0>(state_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // Only when !ok().
  const PictureError& error() const { return std::get<1>(state_); }

private:
  std::variant<T, PictureError> state_;
};

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// Decoded pixels: rows top-down, 4 bytes a pixel in the order B, G, R, A, which
// is the memory layout of D3DFMT_A8R8G8B8 and of GL_BGRA with unsigned bytes.
// Pictures decoded by this library are opaque: alpha is always 255.
struct BgraImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 4 bytes

  static constexpr std::size_t kBytesPerPixel = 4;

  BgraImage() = default;
  BgraImage(std::uint32_t w, std::uint32_t h)
      : width(w), height(h), pixels(std::size_t(w) * h * kBytesPerPixel) {}

  std::size_t stride() const { return std::size_t(width) * kBytesPerPixel; }
  PictureSize size() const { return {width, height}; }
  std::uint8_t* row(std::uint32_t y) { return pixels.data() + y * stride(); }
  const std::uint8_t* row(std::uint32_t y) const { return pixels.data() + y * stride(); }
};

// Bounds that protect a decoder from hostile files. Both are checked before the
// memory they guard is allocated.
struct DecodeLimits {
  // Largest picture accepted, in pixels of the stored (full-size) picture.
  std::uint64_t maxPixels = std::uint64_t(1) << 30;
  // Largest working memory libjpeg may take for itself (progressive JPEGs keep
  // all coefficients), not counting the decoded pixels.
  std::uint64_t maxDecoderMemory = std::uint64_t(4) << 30;
};

enum class PictureKind { Unknown, Jpeg, Bmp };

}  // namespace lumetta::images
