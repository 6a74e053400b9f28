#include "CursorPosition.h"

#include <utility>

namespace kelDX8 {
namespace {
CursorPositionSource& source() {
    static CursorPositionSource s;
    return s;
}
}  // namespace

void SetCursorPositionSource(CursorPositionSource Source) { source() = std::move(Source); }

POINT CurrentCursorPosition() { return source() ? source()() : POINT{0, 0}; }

}  // namespace kelDX8
