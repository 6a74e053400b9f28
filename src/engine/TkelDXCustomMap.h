// An indexed triangle mesh laid out as a grid: ColumnCount vertices along a
// row, RowCount rows. The vertex at (Column, Row) is vertex Row x ColumnCount +
// Column. The grid size is fixed for the map's life.
#pragma once

#include "Colors.h"
#include "TkelDXIndexedPolygon.h"

namespace kelDX8 {

class TkelDXCustomMap : public TkelDXIndexedPolygon {
public:
    UINT RowCount = 0;
    UINT ColumnCount = 0;

    const char* ClassName() const override;

    // Each vertex gets the mean of the unit normals of the (up to eight) grid
    // triangles around it.
    void CalcNormals() override;
    // u = Column / (ColumnCount - 1), v = Row / (RowCount - 1), in every declared set.
    void CalcTextureCoords() override;

    // The record at (Column, Row); only its start is checked against the array
    // ("Index out of range."), so a Column beyond the row reaches a later row.
    BYTE* MapVertex(UINT Column, UINT Row);
    // Replaces red, green and blue of that vertex's colour, keeping its alpha.
    void SetVertexColor(UINT Column, UINT Row, TColor Color);

protected:
    TkelDXCustomMap() = default;
    // Raises "No valid argument." for 0 columns or rows; then the indexed
    // polygon with 6 x (Columns - 1) x (Rows - 1) indices, a triangle list, and
    // BuildIndices of the class being made.
    void Create(TkelDXScene* Scene, UINT ColumnCount, UINT RowCount, UINT VertexSize, DWORD VertexFormat);

    // Reports "Map is too small, operation not possible." (raised under
    // RaiseOnStateError) and returns false unless the grid is at least 2 x 2.
    bool RequireGrid() const;
};

}  // namespace kelDX8
