#include "DeviceCaps.h"

#include <QOpenGLFunctions_2_1>

#include <algorithm>
#include <climits>

namespace gl {
namespace {

// Direct3D 8 capability flags (their original values).
constexpr DWORD kMiscMaskZ = 0x2, kMiscCullNone = 0x10, kMiscCullCW = 0x20, kMiscCullCCW = 0x40;
constexpr DWORD kAllComparisons = 0xFF;       // NEVER ... ALWAYS
constexpr DWORD kAllBlendFactors = 0x1FFF;    // ZERO ... BOTHINVSRCALPHA
constexpr DWORD kTextureAlpha = 0x4, kTextureProjected = 0x400, kTextureMipMap = 0x4000;
constexpr DWORD kFilterMinPoint = 0x100, kFilterMinLinear = 0x200, kFilterMipPoint = 0x10000,
                kFilterMipLinear = 0x20000, kFilterMagPoint = 0x1000000, kFilterMagLinear = 0x2000000;
constexpr DWORD kAddressWrap = 0x1, kAddressMirror = 0x2, kAddressClamp = 0x4, kAddressBorder = 0x8;
constexpr DWORD kOpsDisableToAdd = 0x7F;       // DISABLE, SELECTARG1/2, MODULATE(2X, 4X), ADD
constexpr DWORD kHardwareRasterization = 0x800, kTexturesInVideoMemory = 0x200, kDrawPrimitives2 = 0x2000;
constexpr DWORD kRasterDither = 0x1, kRasterZTest = 0x10;
constexpr DWORD kShadeGouraud = 0x8;

// A GL limit, or `fallback` when the GL does not know the query.
GLint Limit(QOpenGLFunctions_2_1& f, GLenum query, GLint fallback) {
    while (f.glGetError() != GL_NO_ERROR) {
    }
    GLint value = 0;
    f.glGetIntegerv(query, &value);
    return f.glGetError() == GL_NO_ERROR && value > 0 ? value : fallback;
}

}  // namespace

D3DCAPS8 QueryDeviceCaps(QOpenGLFunctions_2_1& f) {
    constexpr GLenum kMaxElementIndex = 0x8D6B;       // GL 4.3
    constexpr GLenum kMaxVertexAttribStride = 0x82E5; // GL 4.4
    D3DCAPS8 c{};
    c.DeviceType = D3DDEVTYPE_HAL;
    c.AdapterOrdinal = D3DADAPTER_DEFAULT;
    c.DevCaps = kHardwareRasterization | kTexturesInVideoMemory | kDrawPrimitives2;
    c.PrimitiveMiscCaps = kMiscMaskZ | kMiscCullNone | kMiscCullCW | kMiscCullCCW;
    c.RasterCaps = kRasterDither | kRasterZTest;
    c.ZCmpCaps = c.AlphaCmpCaps = kAllComparisons;
    c.SrcBlendCaps = c.DestBlendCaps = kAllBlendFactors;
    c.ShadeCaps = kShadeGouraud;
    c.TextureCaps = kTextureAlpha | kTextureProjected | kTextureMipMap;  // any size, not only powers of two
    c.TextureFilterCaps =
        kFilterMinPoint | kFilterMinLinear | kFilterMipPoint | kFilterMipLinear | kFilterMagPoint | kFilterMagLinear;
    c.TextureAddressCaps = kAddressWrap | kAddressMirror | kAddressClamp | kAddressBorder;
    GLint maxTexture = Limit(f, GL_MAX_TEXTURE_SIZE, 64);
    c.MaxTextureWidth = c.MaxTextureHeight = static_cast<DWORD>(maxTexture);
    c.MaxTextureAspectRatio = static_cast<DWORD>(maxTexture);
    c.MaxAnisotropy = 1;
    c.MaxVertexW = 1e10f;
    c.FVFCaps = 8;  // texture coordinate sets
    c.TextureOpCaps = kOpsDisableToAdd;
    GLint units = Limit(f, GL_MAX_TEXTURE_IMAGE_UNITS, 2);
    c.MaxTextureBlendStages = c.MaxSimultaneousTextures = static_cast<DWORD>(std::min(units, 8));
    c.MaxPointSize = 1.0f;
    // Draw calls take a GLsizei count of vertices or indices.
    c.MaxPrimitiveCount = static_cast<DWORD>(INT_MAX / 3);
    c.MaxVertexIndex = static_cast<DWORD>(Limit(f, kMaxElementIndex, INT_MAX));
    c.MaxStreams = 1;
    c.MaxStreamStride = static_cast<DWORD>(Limit(f, kMaxVertexAttribStride, 2048));
    return c;
}

int TextureStagesOf(const D3DCAPS8& caps) { return static_cast<int>(caps.MaxTextureBlendStages); }

}  // namespace gl
