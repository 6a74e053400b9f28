#pragma once

// Turns libjpeg's error exits into a return value. libjpeg reports errors by
// calling error_exit, which must not return; C++ exceptions must not cross its
// C frames, so the trap jumps back (longjmp) to the RunGuarded call that was
// active. Code inside a guarded step may call libjpeg and touch plain data
// only: no object with a destructor may be created there, since a jump would
// skip it.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include <string>

namespace lumetta::images {

struct JpegErrorTrap {
  jpeg_error_mgr manager;  // first, so that cinfo->err leads back to the trap
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 64];
  int corruptDataWarnings;

  // Damaged data makes libjpeg warn and carry on; past this many warnings the
  // picture counts as broken.
  static constexpr int kMaxCorruptDataWarnings = 1000;
  // A progressive picture with a huge number of scans costs a pass each.
  static constexpr int kMaxScans = 500;

  // Sets cinfo->err; call before jpeg_create_*.
  void Install(j_common_ptr cinfo);
  // Limits the number of scans; call after jpeg_create_decompress, which
  // clears the progress monitor.
  void LimitScans(j_decompress_ptr cinfo);
  std::string Message() const { return message; }
};

// Runs step; false when libjpeg gave up inside it (trap.Message() says why).
template <class Step>
[[gnu::noinline]] bool RunGuarded(JpegErrorTrap& trap, Step&& step) {
  if (setjmp(trap.jump) != 0) return false;
  step();
  return true;
}

}  // namespace lumetta::images
