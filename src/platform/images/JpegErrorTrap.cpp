#include "JpegErrorTrap.h"

#include <jerror.h>

#include <cstring>

namespace lumetta::images {
namespace {

JpegErrorTrap& TrapOf(j_common_ptr cinfo) { return *reinterpret_cast<JpegErrorTrap*>(cinfo->err); }

[[noreturn]] void Fail(JpegErrorTrap& trap, const char* text) {
  std::snprintf(trap.message, sizeof trap.message, "%s", text);
  std::longjmp(trap.jump, 1);
}

[[noreturn]] void FailWithLibraryMessage(j_common_ptr cinfo, const char* prefix) {
  JpegErrorTrap& trap = TrapOf(cinfo);
  char text[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, text);
  std::snprintf(trap.message, sizeof trap.message, "%s%s", prefix, text);
  std::longjmp(trap.jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
  const int code = cinfo->err->msg_code;
  if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) Fail(TrapOf(cinfo), "picture too large");
  if (code == JERR_INPUT_EMPTY || code == JERR_INPUT_EOF) Fail(TrapOf(cinfo), "truncated JPEG data");
  FailWithLibraryMessage(cinfo, "bad JPEG data: ");
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  if (cinfo->err->msg_code == JWRN_JPEG_EOF) Fail(TrapOf(cinfo), "truncated JPEG data");
  if (++TrapOf(cinfo).corruptDataWarnings > JpegErrorTrap::kMaxCorruptDataWarnings)
    FailWithLibraryMessage(cinfo, "corrupt JPEG data: ");
}

void OutputMessage(j_common_ptr) {}  // libjpeg would print to stderr

void MonitorProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > JpegErrorTrap::kMaxScans)
    Fail(TrapOf(cinfo), "too many scans in progressive JPEG data");
}

}  // namespace

void JpegErrorTrap::Install(j_common_ptr cinfo) {
  cinfo->err = jpeg_std_error(&manager);
  manager.error_exit = ErrorExit;
  manager.emit_message = EmitMessage;
  manager.output_message = OutputMessage;
  message[0] = '\0';
  corruptDataWarnings = 0;
}

void JpegErrorTrap::LimitScans(j_decompress_ptr cinfo) {
  std::memset(&progress, 0, sizeof progress);
  progress.progress_monitor = MonitorProgress;
  cinfo->progress = &progress;
}

}  // namespace lumetta::images
