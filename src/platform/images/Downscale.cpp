#include "Pictures.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace lumetta::images {
namespace {

// The source pixels one output pixel covers along one axis and how much of
// each: output i spans [i * from, (i + 1) * from) and source j spans
// [j * to, (j + 1) * to) in units of 1 / (from * to), so the overlaps are
// whole numbers that add up to `from` for every output pixel.
struct AxisFilter {
  struct Span {
    std::uint32_t first, count, weightsAt;
  };
  std::vector<Span> spans;
  std::vector<float> weights;

  AxisFilter(std::uint32_t from, std::uint32_t to) {
    spans.reserve(to);
    for (std::uint64_t i = 0; i < to; ++i) {
      const std::uint64_t start = i * from, end = start + from;
      const std::uint64_t first = start / to, last = (end - 1) / to;
      spans.push_back({std::uint32_t(first), std::uint32_t(last - first + 1), std::uint32_t(weights.size())});
      for (std::uint64_t j = first; j <= last; ++j) {
        const std::uint64_t overlap = std::min(end, (j + 1) * to) - std::max(start, j * to);
        weights.push_back(float(overlap) / float(from));
      }
    }
  }
};

BgraImage HalveExactly(const BgraImage& source) {
  BgraImage result(source.width / 2, source.height / 2);
  for (std::uint32_t y = 0; y < result.height; ++y) {
    const std::uint8_t* top = source.row(2 * y);
    const std::uint8_t* bottom = source.row(2 * y + 1);
    std::uint8_t* out = result.row(y);
    for (std::size_t i = 0, n = result.stride(); i < n; ++i) {
      const std::size_t left = (i / 4) * 8 + i % 4;
      out[i] = std::uint8_t((top[left] + top[left + 4] + bottom[left] + bottom[left + 4] + 2) / 4);
    }
  }
  return result;
}

// Output rows [firstRow, endRow) of `result`, from `source`.
void DownscaleRows(const BgraImage& source, const AxisFilter& across, const AxisFilter& down, BgraImage& result,
                   std::uint32_t firstRow, std::uint32_t endRow) {
  const std::size_t rowFloats = std::size_t(result.width) * 4;
  std::vector<float> reduced(rowFloats), scratch(rowFloats), sum(rowFloats);
  std::uint32_t reducedRow = source.height;  // none yet

  // Source row y filtered across; consecutive output rows share their edge
  // row, so the last one is kept.
  const auto reduceRow = [&](std::uint32_t y) -> const float* {
    if (y == reducedRow) return reduced.data();
    const std::uint8_t* in = source.row(y);
    float* out = scratch.data();
    for (const AxisFilter::Span& span : across.spans) {
      float b = 0, g = 0, r = 0, a = 0;
      const std::uint8_t* p = in + std::size_t(span.first) * 4;
      const float* w = across.weights.data() + span.weightsAt;
      for (std::uint32_t k = 0; k < span.count; ++k, p += 4) {
        b += w[k] * p[0], g += w[k] * p[1], r += w[k] * p[2], a += w[k] * p[3];
      }
      *out++ = b, *out++ = g, *out++ = r, *out++ = a;
    }
    std::swap(reduced, scratch);
    reducedRow = y;
    return reduced.data();
  };

  for (std::uint32_t y = firstRow; y < endRow; ++y) {
    const AxisFilter::Span& span = down.spans[y];
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (std::uint32_t k = 0; k < span.count; ++k) {
      const float weight = down.weights[span.weightsAt + k];
      const float* row = reduceRow(span.first + k);
      for (std::size_t i = 0; i < rowFloats; ++i) sum[i] += weight * row[i];
    }
    std::uint8_t* out = result.row(y);
    for (std::size_t i = 0; i < rowFloats; ++i) out[i] = std::uint8_t(std::min(255.0f, sum[i] + 0.5f));
  }
}

}  // namespace

BgraImage DownscaleArea(const BgraImage& source, std::uint32_t width, std::uint32_t height) {
  if (source.width == 0 || source.height == 0) return source;
  width = std::clamp<std::uint32_t>(width, 1, source.width);
  height = std::clamp<std::uint32_t>(height, 1, source.height);
  if (width == source.width && height == source.height) return source;
  if (source.width == 2 * width && source.height == 2 * height) return HalveExactly(source);

  const AxisFilter across(source.width, width), down(source.height, height);
  BgraImage result(width, height);
  // A photo-sized picture is shared out over the processors by output rows;
  // every row is computed alone, so the result does not depend on the split.
  constexpr std::uint64_t kPixelsWorthAThread = 512 * 1024;
  const std::uint32_t parts = std::uint32_t(std::clamp<std::uint64_t>(
      std::min<std::uint64_t>(std::thread::hardware_concurrency(), 4),
      1, std::max<std::uint64_t>(1, std::uint64_t(source.width) * source.height / kPixelsWorthAThread)));
  std::vector<std::thread> helpers;
  const auto rowsOf = [&](std::uint32_t part) { return std::uint32_t(std::uint64_t(height) * part / parts); };
  try {
    for (std::uint32_t part = 1; part < parts; ++part)
      helpers.emplace_back(DownscaleRows, std::cref(source), std::cref(across), std::cref(down), std::ref(result),
                           rowsOf(part), rowsOf(part + 1));
  } catch (const std::system_error&) {
    // No thread to spare: the rows not handed out are done here.
  }
  const std::uint32_t handedOut = std::uint32_t(helpers.size());
  DownscaleRows(source, across, down, result, 0, rowsOf(1));
  if (handedOut + 1 < parts) DownscaleRows(source, across, down, result, rowsOf(handedOut + 1), height);
  for (std::thread& helper : helpers) helper.join();
  return result;
}

BgraImage HalveForMipLevel(const BgraImage& source) {
  return DownscaleArea(source, std::max<std::uint32_t>(1, source.width / 2), std::max<std::uint32_t>(1, source.height / 2));
}

}  // namespace lumetta::images
