#include "MeshRecords.h"

#include <algorithm>

#include "Colors.h"

namespace kelDX8 {

void MakeTexCoord(TkelDXTexCoord& T, float U, float V) { T = {U, V}; }

void MakeVertex(BYTE R, BYTE G, BYTE B, float X, float Y, float Z, float NX, float NY, float NZ, float Alpha,
                TkelDXVertex& P) {
    P = {{X, Y, Z}, {NX, NY, NZ}, MakeARGB(R, G, B, Alpha)};
}

void MakeTriangle16(WORD A, WORD B, WORD C, TkelDXTriangle16& T) { T = {A, B, C}; }
void MakeTriangle32(DWORD A, DWORD B, DWORD C, TkelDXTriangle32& T) { T = {A, B, C}; }

UINT VertexCountOf(D3DPRIMITIVETYPE Type, UINT PrimitiveCount) {
    switch (Type) {
        case D3DPT_POINTLIST: return PrimitiveCount;
        case D3DPT_LINELIST: return 2 * PrimitiveCount;
        case D3DPT_LINESTRIP: return PrimitiveCount + 1;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN: return PrimitiveCount + 2;
        default: return 3 * PrimitiveCount;
    }
}

UINT PrimitiveCountOf(D3DPRIMITIVETYPE Type, UINT Count) {
    switch (Type) {
        case D3DPT_POINTLIST: return Count;
        case D3DPT_LINELIST: return Count / 2;
        case D3DPT_LINESTRIP: return std::max(Count, 1u) - 1;
        case D3DPT_TRIANGLELIST: return Count / 3;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN: return std::max(Count, 2u) - 2;
        default: return 0;
    }
}

bool IsStandardVertexFormat(DWORD Format) { return (Format & 0x7F) == StandardVertexBits; }

UINT StandardTexCoordCount(DWORD Format) {
    if ((Format & 0xFF) != StandardVertexBits) return 0;
    return (Format & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
}

}  // namespace kelDX8
