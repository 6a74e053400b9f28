// Vertex records, index triples and the counts that relate primitives to vertices.
#pragma once

#include "d3d8types.h"

namespace kelDX8 {

struct TkelDXTexCoord {
    float U, V;
};

// The head of every mesh record: position, normal, diffuse ARGB colour (28 bytes).
// Texture coordinate sets follow at byte 28 and 36 when the format has them.
struct TkelDXVertex {
    D3DVECTOR Position;
    D3DVECTOR Normal;
    D3DCOLOR Diffuse;
};
static_assert(sizeof(TkelDXVertex) == 28);

// Index triples as they lie in a mesh's index array (may_alias: they are written
// over the array's 16-bit words).
struct [[gnu::may_alias]] TkelDXTriangle16 {
    WORD A, B, C;
};
struct [[gnu::may_alias]] TkelDXTriangle32 {
    DWORD A, B, C;
};
static_assert(sizeof(TkelDXTriangle16) == 6 && sizeof(TkelDXTriangle32) == 12);

constexpr DWORD StandardVertexBits = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE;  // 0x52

void MakeTexCoord(TkelDXTexCoord& T, float U, float V);
// Diffuse := MakeARGB(R, G, B, Alpha); throws std::range_error like MakeARGB.
void MakeVertex(BYTE R, BYTE G, BYTE B, float X, float Y, float Z, float NX, float NY, float NZ, float Alpha,
                TkelDXVertex& P);
void MakeTriangle16(WORD A, WORD B, WORD C, TkelDXTriangle16& T);
void MakeTriangle32(DWORD A, DWORD B, DWORD C, TkelDXTriangle32& T);

// Vertices that Count primitives of Type use (unknown types: 3 per primitive).
UINT VertexCountOf(D3DPRIMITIVETYPE Type, UINT PrimitiveCount);
// Primitives that Count vertices (or indices) of Type make (unknown types: 0).
UINT PrimitiveCountOf(D3DPRIMITIVETYPE Type, UINT Count);

// The low seven bits are exactly position, normal and diffuse (specular may be set).
bool IsStandardVertexFormat(DWORD Format);
// Texture sets declared by a format whose low byte is exactly 0x52; 0 otherwise.
UINT StandardTexCoordCount(DWORD Format);

}  // namespace kelDX8
