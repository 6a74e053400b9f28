#include "VertexLayout.h"

namespace gl {
namespace {
constexpr DWORD kPositionMask = 0x00E;
constexpr DWORD kKnownBits = kPositionMask | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE | D3DFVF_SPECULAR |
                             D3DFVF_TEXCOUNT_MASK | 0xFFFF0000u;
}  // namespace

std::optional<VertexLayout> DecodeVertexFormat(DWORD fvf) {
    if ((fvf & ~kKnownBits) != 0 || (fvf & kPositionMask) != D3DFVF_XYZ) return std::nullopt;
    VertexLayout l;
    l.format = fvf;
    int offset = 12;
    auto take = [&offset](int bytes) {
        int at = offset;
        offset += bytes;
        return at;
    };
    if (fvf & D3DFVF_NORMAL) l.normal = take(12);
    if (fvf & D3DFVF_PSIZE) l.pointSize = take(4);
    if (fvf & D3DFVF_DIFFUSE) l.diffuse = take(4);
    if (fvf & D3DFVF_SPECULAR) l.specular = take(4);
    l.textureSets = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (l.textureSets > VertexLayout::kMaxTextureSets) return std::nullopt;
    // Bits 16 and up give each set's size; 0 is two floats, the only size drawn here.
    DWORD sizes = fvf >> 16;
    for (int i = 0; i < l.textureSets; ++i) {
        if (((sizes >> (2 * i)) & 3) != 0) return std::nullopt;
        l.texture[i] = take(8);
    }
    l.size = static_cast<UINT>(offset);
    return l;
}

std::optional<std::uint64_t> VerticesForPrimitives(D3DPRIMITIVETYPE type, UINT primitives) {
    std::uint64_t n = primitives;
    if (n == 0) return n;
    switch (type) {
        case D3DPT_POINTLIST: return n;
        case D3DPT_LINELIST: return n * 2;
        case D3DPT_LINESTRIP: return n + 1;
        case D3DPT_TRIANGLELIST: return n * 3;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN: return n + 2;
        default: return std::nullopt;
    }
}

}  // namespace gl
