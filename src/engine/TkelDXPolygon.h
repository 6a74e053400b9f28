// A mesh of vertex records drawn with one non-indexed draw call.
//
// The records live in Vertices; every Insert copies them into the scene's
// shared vertex buffer, so a mesh owns no device resource. It must be created
// before the scene's CreateBuffers (its size counts towards the buffer).
//
// The geometry operations (CalcNormals, CalcTextureCoords, SetAlpha, the sample
// shapes) work on records whose low seven format bits are exactly position,
// normal and diffuse (0x52; specular may be set) and whose VertexSize holds that
// 28-byte head; texture coordinates are written only when the low byte is
// exactly 0x52, for the sets the format declares (at most two) that fit in
// VertexSize. Other layouts can still be inserted and drawn.
#pragma once

#include <functional>
#include <vector>

#include "TkelDXCustomInsertObject.h"

namespace kelDX8 {

using TkelDXVertexArray = std::vector<BYTE>;

class TkelDXPolygon : public TkelDXCustomInsertObject {
public:
    UINT VertexCount = 0;
    DWORD VertexFormat = 0;
    // Bytes per record: the stream stride.
    UINT VertexSize = 0;
    UINT VertexBytes = 0;
    // Recompute PrimitiveCount whenever the primitive type changes.
    bool AutoPrimitiveCount = false;
    D3DPRIMITIVETYPE PrimitiveType = D3DPT_TRIANGLESTRIP;
    UINT PrimitiveCount = 0;
    // First vertex (non-indexed) or first index (indexed) of the draw call.
    UINT StartVertex = 0;
    TkelDXVertexArray Vertices;

    const char* ClassName() const override;

    // Adds the vertex upload, the stream source and the vertex format.
    void Insert() override;
    // Adds DrawPrimitive when Visible.
    void Draw() override;
    // An open tube drawn as a triangle strip (needs at least 4 vertices).
    void BuildDefaultShape() override;
    // Primitives that the vertices make with PrimitiveType.
    virtual UINT CalcPrimitiveCount() const;
    // The mean of the unit face normals around each vertex, by primitives of a
    // triangle list, strip or fan.
    virtual void CalcNormals();
    // (0, 0) in every texture set the format declares.
    virtual void CalcTextureCoords();

    // The record I; raises "Index out of range." beyond the array.
    BYTE* Vertex(UINT I);
    // Sets the alpha byte of every vertex to round(Value * 255), keeping the
    // colour; std::range_error when that does not fit in a byte.
    void SetAlpha(float Value);
    void SetPrimitiveType(D3DPRIMITIVETYPE Value);
    // True also sets StartVertex to 0, recomputes PrimitiveCount and checks it
    // against the device's limit.
    void SetAutoPrimitiveCount(bool Value);

protected:
    TkelDXPolygon() = default;
    void Create(TkelDXScene* Scene, UINT VertexCount, UINT VertexSize, DWORD VertexFormat);

    // Raises "Operation dont work together with that vertex format." unless the
    // records have the standard head.
    void RequireStandardFormat() const;
    // The texture sets the geometry operations write (0 to 2).
    UINT TexCoordSets() const;
    BYTE* RecordAt(std::uint64_t index);
    // Face normals of PrimitiveCount primitives, whose corners are the vertices
    // that VertexOf gives for primitive positions.
    void CalcPrimitiveNormals(UINT PrimitiveCount, const std::function<DWORD(UINT Position)>& VertexOf);

    // Locks Buffer from 0 for Bytes bytes, copies Data and unlocks.
    template <class Buffer>
    void Upload(Buffer* buffer, const void* data, UINT bytes);

private:
    void BuildTube();
};

}  // namespace kelDX8
