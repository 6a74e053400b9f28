// The navigation overlay's pictures: 100 x 100, 8-bit grey, white play-style
// triangles on black, one for a short jump and two for a long one, pointing in
// the jump's direction.
#pragma once

#include <QImage>

enum class ArrowKind { kForward, kFastForward, kBackward, kFastBackward };

constexpr int kArrowImageSize = 100;

QImage ArrowImage(ArrowKind kind);
