// Measures the memory peak of one decode in a process of its own, so that no
// earlier allocation of the benchmark hides it. Prints one line of numbers in
// KiB.
//   decode_peak FILE WIDTH HEIGHT   decodes for that screen; prints the resident
//                                   memory before the decode and the peak after
//   decode_peak --djpeg SCALE FILE  runs djpeg -scale SCALE on the file; prints its
//                                   peak (spawned from this small process, whose
//                                   own peak would otherwise be counted)

#include "Pictures.h"

#include <cstdio>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

long StatusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

int RunDjpeg(char* scale, char* file) {
  char djpeg[] = "djpeg", scaleOption[] = "-scale", outfile[] = "-outfile", nowhere[] = "/dev/null";
  char* argv[] = {djpeg, scaleOption, scale, outfile, nowhere, file, nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, djpeg, nullptr, nullptr, argv, environ) != 0) return 1;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  std::printf("%ld\n", usage.ru_maxrss);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--djpeg") return RunDjpeg(argv[2], argv[3]);
  if (argc != 4) {
    std::fprintf(stderr, "usage: decode_peak FILE WIDTH HEIGHT | decode_peak --djpeg SCALE FILE\n");
    return 2;
  }
  const long before = StatusKiB("VmRSS");
  const auto decoded = lumetta::images::DecodePicture(argv[1], std::stoul(argv[2]), std::stoul(argv[3]));
  if (!decoded) {
    std::fprintf(stderr, "%s\n", decoded.error().message.c_str());
    return 1;
  }
  std::printf("%ld %ld\n", before, StatusKiB("VmHWM"));
  return 0;
}
