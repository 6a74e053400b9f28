// The texture formats this device keeps, with their GL upload formats. The
// pixel layouts in memory are Direct3D's (little-endian: A8R8G8B8 is the bytes
// B, G, R, A), so locked pixels go to the GL unchanged.
#pragma once

#include <qopengl.h>

#include "d3d8types.h"

namespace gl {

struct TextureFormat {
    D3DFORMAT format;
    UINT bytesPerPixel;
    GLint internalFormat;
    GLenum pixelFormat, pixelType;
};

// Nullptr for formats that cannot be a texture here (depth, index, unknown).
const TextureFormat* FindTextureFormat(D3DFORMAT format);

}  // namespace gl
