// Colour helpers. D3DCOLOR is ARGB (alpha in bits 24-31, red 16-23); TColor is
// the user-interface colour with red in the low byte (blue * 65536 + green * 256
// + red). Where a TColor is read, its absolute value is used.
//
// Alphas are floats in [0, 1], scaled by 255 and rounded half to even.
#pragma once

#include <cstdint>

#include "d3d8types.h"

namespace kelDX8 {

using TColor = std::int32_t;

// The alpha byte keeps the low eight bits of the rounded alpha.
D3DCOLOR ColorToARGB(TColor Color, float Alpha);
// Throws std::range_error when the rounded alpha is outside 0..255.
D3DCOLOR MakeARGB(BYTE R, BYTE G, BYTE B, float Alpha);
void MakeColorValue(BYTE R, BYTE G, BYTE B, float Alpha, D3DCOLORVALUE& C);
// Throws std::range_error when the rounded alpha is outside 0..255.
void SetColorAlpha(D3DCOLOR& C, float Alpha);
// Replaces red, green and blue; keeps alpha.
void SetColorRGB(D3DCOLOR& C, TColor Color);
void SetColorValueRGB(D3DCOLORVALUE& C, TColor Color);

}  // namespace kelDX8
