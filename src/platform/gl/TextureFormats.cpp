#include "TextureFormats.h"

#include <array>

namespace gl {

const TextureFormat* FindTextureFormat(D3DFORMAT format) {
    static constexpr std::array<TextureFormat, 10> kFormats = {{
        {D3DFMT_A8R8G8B8, 4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE},
        {D3DFMT_X8R8G8B8, 4, GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE},
        {D3DFMT_R8G8B8, 3, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE},
        {D3DFMT_R5G6B5, 2, GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
        {D3DFMT_X1R5G5B5, 2, GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
        {D3DFMT_A1R5G5B5, 2, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
        {D3DFMT_A4R4G4B4, 2, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
        {D3DFMT_R3G3B2, 1, GL_R3_G3_B2, GL_RGB, GL_UNSIGNED_BYTE_3_3_2},
        {D3DFMT_A8, 1, GL_ALPHA8, GL_ALPHA, GL_UNSIGNED_BYTE},
        {D3DFMT_L8, 1, GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE},
    }};
    for (const auto& f : kFormats)
        if (f.format == format) return &f;
    return nullptr;
}

}  // namespace gl
