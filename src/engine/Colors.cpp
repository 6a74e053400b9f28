#include "Colors.h"

#include <cmath>
#include <stdexcept>

#include "Rounding.h"

namespace kelDX8 {
namespace {

struct RGBBytes {
    DWORD red, green, blue;
};

RGBBytes BytesOf(TColor color) {
    // Negating in unsigned arithmetic keeps the most negative value defined.
    DWORD v = color < 0 ? 0u - static_cast<DWORD>(color) : static_cast<DWORD>(color);
    return {v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF};
}

DWORD RGBPart(TColor color) {
    RGBBytes c = BytesOf(color);
    return (c.red << 16) | (c.green << 8) | c.blue;
}

DWORD AlphaByte(float alpha) {
    double rounded = RoundHalfEven(static_cast<double>(alpha) * 255.0);
    if (!(rounded >= 0 && rounded <= 255)) throw std::range_error("Alpha out of range.");
    return static_cast<DWORD>(rounded);
}

}  // namespace

D3DCOLOR ColorToARGB(TColor Color, float Alpha) {
    double rounded = std::fmod(RoundHalfEven(static_cast<double>(Alpha) * 255.0), 256.0);
    if (std::isnan(rounded)) rounded = 0;
    if (rounded < 0) rounded += 256;
    return (static_cast<DWORD>(rounded) << 24) | RGBPart(Color);
}

D3DCOLOR MakeARGB(BYTE R, BYTE G, BYTE B, float Alpha) {
    return (AlphaByte(Alpha) << 24) | (DWORD{R} << 16) | (DWORD{G} << 8) | B;
}

void MakeColorValue(BYTE R, BYTE G, BYTE B, float Alpha, D3DCOLORVALUE& C) {
    C = {R / 255.0f, G / 255.0f, B / 255.0f, Alpha};
}

void SetColorAlpha(D3DCOLOR& C, float Alpha) { C = (C & 0x00FFFFFF) | (AlphaByte(Alpha) << 24); }

void SetColorRGB(D3DCOLOR& C, TColor Color) { C = (C & 0xFF000000) | RGBPart(Color); }

void SetColorValueRGB(D3DCOLORVALUE& C, TColor Color) {
    RGBBytes c = BytesOf(Color);
    C.r = c.red / 255.0f;
    C.g = c.green / 255.0f;
    C.b = c.blue / 255.0f;
}

}  // namespace kelDX8
