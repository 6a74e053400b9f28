// Reading and placing vertices in the engine tests.
#pragma once

#include <gtest/gtest.h>

#include "VertexRecord.h"
#include "kelDX8.h"

namespace enginetest {

inline void Place(kelDX8::TkelDXPolygon& mesh, UINT i, float x, float y, float z) {
    kelDX8::record::SetPosition(mesh.Vertex(i), {x, y, z});
}

inline D3DVECTOR NormalOf(kelDX8::TkelDXPolygon& mesh, UINT i) { return kelDX8::record::Normal(mesh.Vertex(i)); }
inline D3DVECTOR PositionOf(kelDX8::TkelDXPolygon& mesh, UINT i) {
    return kelDX8::record::Position(mesh.Vertex(i));
}
inline D3DCOLOR ColorOf(kelDX8::TkelDXPolygon& mesh, UINT i) { return kelDX8::record::Diffuse(mesh.Vertex(i)); }
inline kelDX8::TkelDXTexCoord TexCoordOf(const BYTE* record, UINT set) {
    kelDX8::TkelDXTexCoord t;
    std::memcpy(&t, record + 28 + 8 * set, sizeof t);
    return t;
}

#define EXPECT_VECTOR_NEAR(actual, ex, ey, ez)         \
    do {                                               \
        D3DVECTOR v_ = (actual);                       \
        EXPECT_NEAR(v_.x, (ex), 1e-5) << "x of " #actual; \
        EXPECT_NEAR(v_.y, (ey), 1e-5) << "y of " #actual; \
        EXPECT_NEAR(v_.z, (ez), 1e-5) << "z of " #actual; \
    } while (0)

}  // namespace enginetest
