// A polygon with an index array, drawn with one indexed draw call.
//
// Indices are 16-bit words, or 32-bit values in pairs of words when the scene's
// Index32 is set (decided before the mesh is created). Insert copies them into
// the scene's shared index buffer before the vertices.
#pragma once

#include <vector>

#include "MeshRecords.h"
#include "TkelDXPolygon.h"

namespace kelDX8 {

using TkelDXIndexArray = std::vector<WORD>;

class TkelDXIndexedPolygon : public TkelDXPolygon {
public:
    UINT IndexCount = 0;
    // IndexCount x 2, or x 4 with 32-bit indices.
    UINT IndexBytes = 0;
    // Lowest vertex index and vertex range of the indexed draw call.
    UINT MinIndex = 0;
    UINT NumVertices = 0;
    TkelDXIndexArray Indices;

    const char* ClassName() const override;

    // Uploads the indices and sets them on the device.
    void AfterInsert() override;
    // DrawIndexedPrimitive instead of DrawPrimitive, when Visible.
    void Draw() override;
    // A saddle surface on the largest square grid of the vertices.
    void BuildDefaultShape() override;
    UINT CalcPrimitiveCount() const override;
    // As the polygon's, with the corners taken from the index array.
    void CalcNormals() override;
    // One triangle (b + 1, b, b + s) per cell of the largest square grid of s x s
    // vertices, as long as fewer than PrimitiveCount are written; zeroes the rest.
    virtual void BuildIndices();

    // The index at position I; raise "Index out of range." beyond the array.
    WORD ReadIndex16(UINT I) const;
    DWORD ReadIndex32(UINT I) const;
    // Where primitive I's indices lie: at 3I in a triangle list, at I in a
    // strip. Other types raise "Operation dont work together with that draw
    // mode."; a triple reaching beyond the array "Index out of range.".
    TkelDXTriangle16* Triangle16(UINT I);
    TkelDXTriangle32* Triangle32(UINT I);

protected:
    TkelDXIndexedPolygon() = default;
    void Create(TkelDXScene* Scene, UINT VertexCount, UINT IndexCount, UINT VertexSize, DWORD VertexFormat);

    // The index at position I in the scene's index width.
    DWORD ReadIndex(UINT I) const;
    // Writes triangle T at positions 3T..3T+2 in the scene's index width; with
    // 16-bit indices every value must fit ("Index out of range.").
    void WriteTriangle(UINT T, DWORD A, DWORD B, DWORD C);

private:
    UINT TrianglePosition(UINT I, UINT wordsPerIndex) const;
    void BuildSaddle();
};

}  // namespace kelDX8
