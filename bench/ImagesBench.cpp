// The picture codecs on a 24-megapixel photo: header-only size read, decode
// for a 1920 x 1080 screen beside djpeg at the same DCT scale, the memory peak
// of that decode, and the texture loader's downscale and mip chain.

#include "Pictures.h"
#include "RotatePictureFile.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace lumetta::images;
namespace fs = std::filesystem;

constexpr std::uint32_t kWidth = 6000, kHeight = 4000;
constexpr PictureSize kScreen{1920, 1080};

// Gradients, soft waves, hard-edged blocks and sensor-like noise: about as
// costly to code as a detailed photo.
BgraImage PhotoLike() {
  BgraImage image(kWidth, kHeight);
  std::uint32_t noise = 12345;
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    std::uint8_t* p = image.row(y);
    for (std::uint32_t x = 0; x < kWidth; ++x, p += 4) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = int(noise >> 27) - 16;
      const double wave = 60 * std::sin(x / 37.0) * std::cos(y / 53.0);
      const int block = ((x / 250 + y / 180) % 3) * 30;
      p[0] = std::uint8_t(std::clamp(int(40 + 150.0 * y / kHeight + wave) + grain, 0, 255));
      p[1] = std::uint8_t(std::clamp(int(60 + block + wave / 2) + grain, 0, 255));
      p[2] = std::uint8_t(std::clamp(int(30 + 200.0 * x / kWidth - wave) + block + grain, 0, 255));
      p[3] = 255;
    }
  }
  return image;
}

const fs::path& Photo() {
  static const fs::path path = [] {
    const fs::path file = fs::path(LUMETTA_BENCH_DATA) / "photo-6000x4000-q90.jpg";
    if (!fs::exists(file)) {
      fs::create_directories(file.parent_path());
      const auto jpeg = EncodeJpeg(PhotoLike()).value();
      std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
    }
    return file;
  }();
  return path;
}

const int kScale = ChooseJpegScale({kWidth, kHeight}, kScreen);

// Runs a program to its end and adds the processor time it used to cpuSeconds;
// false when it cannot start or fails.
bool RunProgram(std::vector<std::string> arguments, double& cpuSeconds) {
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  cpuSeconds += seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ReadSizeFromHeader(benchmark::State& state) {
  for (auto _ : state) {
    auto size = ReadPictureSize(Photo());
    if (!size) state.SkipWithError(size.error().message.c_str());
    benchmark::DoNotOptimize(size);
  }
  state.counters["file_MB"] = double(fs::file_size(Photo())) / 1e6;
}
BENCHMARK(ReadSizeFromHeader)->Unit(benchmark::kMicrosecond)->UseRealTime();

void DecodeForScreen(benchmark::State& state) {
  std::uint32_t width = 0, height = 0;
  for (auto _ : state) {
    auto decoded = DecodePicture(Photo(), kScreen.width, kScreen.height);
    if (!decoded) state.SkipWithError(decoded.error().message.c_str());
    width = decoded->image.width, height = decoded->image.height;
    benchmark::DoNotOptimize(decoded);
  }
  state.SetLabel("scale " + std::to_string(kScale) + "/8: " + std::to_string(width) + "x" + std::to_string(height));
}
BENCHMARK(DecodeForScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void DjpegSameScale(benchmark::State& state) {
  const std::string scale = std::to_string(kScale) + "/8";
  double cpuSeconds = 0;
  for (auto _ : state) {
    if (!RunProgram({"djpeg", "-scale", scale, "-outfile", "/dev/null", Photo().string()}, cpuSeconds))
      state.SkipWithError("djpeg failed or is not installed");
  }
  // The benchmark's own CPU column is this process's; djpeg's is here.
  state.counters["djpeg_cpu_ms"] = benchmark::Counter(cpuSeconds * 1e3 / double(state.iterations()));
  state.SetLabel("djpeg -scale " + scale + " (process start and PPM output included)");
}
BENCHMARK(DjpegSameScale)->Unit(benchmark::kMillisecond)->UseRealTime();

std::string Quoted(const fs::path& path) {
  std::string quoted(1, '\'');
  quoted.append(path.string()).push_back('\'');
  return quoted;
}

// The decode in a process of its own (see DecodePeak.cpp), and djpeg's.
std::vector<long> PeakNumbers(const std::string& arguments) {
  std::vector<long> numbers;
  std::string command = LUMETTA_DECODE_PEAK;
  command.append(" ").append(arguments);
  FILE* out = popen(command.c_str(), "r");
  if (out == nullptr) return numbers;
  for (long n = 0; std::fscanf(out, "%ld", &n) == 1;) numbers.push_back(n);
  if (pclose(out) != 0) numbers.clear();
  return numbers;
}

void DecodeMemoryPeak(benchmark::State& state) {
  std::vector<long> ours, djpeg;
  for (auto _ : state) {
    ours = PeakNumbers(Quoted(Photo()) + " " + std::to_string(kScreen.width) + " " + std::to_string(kScreen.height));
    std::string arguments = "--djpeg ";
    arguments.append(std::to_string(kScale)).append("/8 ").append(Quoted(Photo()));
    djpeg = PeakNumbers(arguments);
  }
  if (ours.size() != 2 || djpeg.size() != 1) {
    state.SkipWithError("decode_peak or djpeg failed");
    return;
  }
  state.counters["before_decode_MB"] = double(ours[0]) / 1024;
  state.counters["decode_peak_MB"] = double(ours[1]) / 1024;
  state.counters["djpeg_peak_MB"] = double(djpeg[0]) / 1024;
  const PictureSize out{(kWidth * kScale + 7) / 8, (kHeight * kScale + 7) / 8};
  state.counters["pixels_MB"] = double(out.width) * out.height * 4 / (1024 * 1024);
}
BENCHMARK(DecodeMemoryPeak)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void DownscaleToScreen(benchmark::State& state) {
  const BgraImage decoded = DecodePicture(Photo(), kScreen.width, kScreen.height).value().image;
  const PictureSize fitted = FitInside(decoded.size(), kScreen);
  for (auto _ : state) benchmark::DoNotOptimize(DownscaleArea(decoded, fitted.width, fitted.height));
  state.SetLabel(std::to_string(decoded.width) + "x" + std::to_string(decoded.height) + " to " +
                 std::to_string(fitted.width) + "x" + std::to_string(fitted.height));
}
BENCHMARK(DownscaleToScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void MipChainOfScreenTexture(benchmark::State& state) {
  const BgraImage texture = DownscaleArea(DecodePicture(Photo(), kScreen.width, kScreen.height).value().image, 2048, 1024);
  for (auto _ : state) {
    BgraImage level = HalveForMipLevel(texture);
    while (level.width > 1 || level.height > 1) level = HalveForMipLevel(level);
    benchmark::DoNotOptimize(level);
  }
  state.SetLabel("2048x1024 down to 1x1");
}
BENCHMARK(MipChainOfScreenTexture)->Unit(benchmark::kMillisecond)->UseRealTime();

void RotateFullPhoto(benchmark::State& state) {
  const fs::path copy = Photo().parent_path() / "rotate-copy.jpg";
  fs::copy_file(Photo(), copy, fs::copy_options::overwrite_existing);
  for (auto _ : state) {
    if (auto error = RotatePictureFile(copy, true)) state.SkipWithError(error->message.c_str());
  }
  fs::remove(copy);
  state.SetLabel("decode, turn, encode at quality 90, replace");
}
BENCHMARK(RotateFullPhoto)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
