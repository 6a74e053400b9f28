// A grid map with two triangles per cell and a rippled sample surface; its
// Create ends with the sample shape of the class being made (a TkelDXMultiMap,
// made through this Create, becomes a torus).
#pragma once

#include "TkelDXCustomMap.h"

namespace kelDX8 {

class TkelDXMap : public TkelDXCustomMap {
public:
    const char* ClassName() const override;

    // Per cell (row by row), with b its first vertex and m = ColumnCount:
    // (b + 1, b, b + m) and (b + 1, b + m, b + m + 1).
    void BuildIndices() override;
    // A ripple travelling outwards, one period every 2 seconds of TimeAngle.
    void BuildDefaultShape() override;

protected:
    TkelDXMap() = default;
    void Create(TkelDXScene* Scene, UINT ColumnCount, UINT RowCount, UINT VertexSize, DWORD VertexFormat);
};

}  // namespace kelDX8
