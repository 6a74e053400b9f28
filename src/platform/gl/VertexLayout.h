// Where the parts of a vertex record lie for a flexible vertex format, and how
// many vertices a primitive count takes. Pure C++.
#pragma once

#include <cstdint>
#include <optional>

#include "d3d8types.h"

namespace gl {

struct VertexLayout {
    static constexpr int kMaxTextureSets = 8;
    DWORD format = 0;
    UINT size = 0;  // bytes of one record
    // Byte offsets inside the record; -1 when the part is absent.
    int normal = -1, pointSize = -1, diffuse = -1, specular = -1;
    int textureSets = 0;
    int texture[kMaxTextureSets] = {};
};

// The layout of `fvf`, or nullopt for formats this device does not draw:
// positions other than untransformed XYZ, or texture sets other than two floats.
std::optional<VertexLayout> DecodeVertexFormat(DWORD fvf);

// Vertices (or indices) that `primitives` primitives of `type` read; nullopt
// for an unknown primitive type.
std::optional<std::uint64_t> VerticesForPrimitives(D3DPRIMITIVETYPE type, UINT primitives);

}  // namespace gl
