// Reading and writing the fields of a mesh's vertex record at their fixed byte
// offsets. Records lie at any byte offset (the stride is the creator's), so
// every access copies bytes instead of casting.
#pragma once

#include <cstring>

#include "MeshRecords.h"

namespace kelDX8::record {

constexpr UINT PositionOffset = 0;
constexpr UINT NormalOffset = 12;
constexpr UINT DiffuseOffset = 24;
constexpr UINT HeadSize = 28;  // position, normal, diffuse
constexpr UINT TexCoordSize = 8;

inline D3DVECTOR ReadVector(const BYTE* field) {
    D3DVECTOR v;
    std::memcpy(&v, field, sizeof v);
    return v;
}
inline void WriteVector(BYTE* field, const D3DVECTOR& v) { std::memcpy(field, &v, sizeof v); }

inline D3DVECTOR Position(const BYTE* record) { return ReadVector(record + PositionOffset); }
inline void SetPosition(BYTE* record, const D3DVECTOR& v) { WriteVector(record + PositionOffset, v); }
inline D3DVECTOR Normal(const BYTE* record) { return ReadVector(record + NormalOffset); }
inline void SetNormal(BYTE* record, const D3DVECTOR& v) { WriteVector(record + NormalOffset, v); }

inline D3DCOLOR Diffuse(const BYTE* record) {
    D3DCOLOR c;
    std::memcpy(&c, record + DiffuseOffset, sizeof c);
    return c;
}
inline void SetDiffuse(BYTE* record, D3DCOLOR c) { std::memcpy(record + DiffuseOffset, &c, sizeof c); }

inline void SetHead(BYTE* record, const TkelDXVertex& head) { std::memcpy(record, &head, HeadSize); }

// Set 0 or 1.
inline void SetTexCoord(BYTE* record, UINT set, float u, float v) {
    TkelDXTexCoord t{u, v};
    std::memcpy(record + HeadSize + set * TexCoordSize, &t, sizeof t);
}

}  // namespace kelDX8::record
