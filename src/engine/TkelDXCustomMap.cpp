#include "TkelDXCustomMap.h"

#include <cstdint>
#include <vector>

#include "EngineSwitches.h"
#include "TkelDXScene.h"
#include "VertexRecord.h"
#include "d3dx8.h"

namespace kelDX8 {

const char* TkelDXCustomMap::ClassName() const { return "TkelDXCustomMap"; }

void TkelDXCustomMap::Create(TkelDXScene* NewScene, UINT Columns, UINT Rows, UINT Size, DWORD Format) {
    if (Columns == 0 || Rows == 0) CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
    std::uint64_t vertices = std::uint64_t{Columns} * Rows;
    std::uint64_t indices = 6 * std::uint64_t{Columns - 1} * (Rows - 1);
    if (vertices > UINT32_MAX || indices > UINT32_MAX)
        CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
    TkelDXIndexedPolygon::Create(NewScene, static_cast<UINT>(vertices), static_cast<UINT>(indices), Size, Format);
    ColumnCount = Columns;
    RowCount = Rows;
    SetPrimitiveType(D3DPT_TRIANGLELIST);
    BuildIndices();
}

bool TkelDXCustomMap::RequireGrid() const {
    if (RowCount >= 2 && ColumnCount >= 2) return true;
    CheckResult(D3DERR_INVALIDCALL, "Map is too small, operation not possible.", DescribeD3DResult,
                RaiseOnStateError);
    return false;
}

BYTE* TkelDXCustomMap::MapVertex(UINT Column, UINT Row) {
    return RecordAt(std::uint64_t{Row} * ColumnCount + Column);
}

void TkelDXCustomMap::SetVertexColor(UINT Column, UINT Row, TColor Color) {
    BYTE* v = MapVertex(Column, Row);
    RequireStandardFormat();
    D3DCOLOR diffuse = record::Diffuse(v);
    SetColorRGB(diffuse, Color);
    record::SetDiffuse(v, diffuse);
}

void TkelDXCustomMap::CalcNormals() {
    if (RowCount == 0 || ColumnCount == 0) return;
    RequireStandardFormat();
    std::vector<D3DVECTOR> positions(VertexCount);
    for (UINT i = 0; i < VertexCount; ++i) positions[i] = record::Position(Vertex(i));
    const UINT columns = ColumnCount, rows = RowCount;
    auto at = [&](UINT c, UINT r) -> const D3DVECTOR& { return positions[r * columns + c]; };

    for (UINT r = 0; r < rows; ++r) {
        for (UINT c = 0; c < columns; ++c) {
            const D3DVECTOR& v = at(c, r);
            D3DVECTOR sum{0, 0, 0};
            UINT k = 0;
            auto add = [&](const D3DVECTOR& p, const D3DVECTOR& q) {
                D3DVECTOR toP, toQ, face;
                VectorSubtract(toP, p, v);
                VectorSubtract(toQ, q, v);
                VectorCross(face, toP, toQ);
                D3DXVec3Normalize(&face, &face);
                VectorAdd(sum, sum, face);
                ++k;
            };
            bool left = c > 0, right = c + 1 < columns, above = r > 0, below = r + 1 < rows;
            if (left && above) {
                add(at(c, r - 1), at(c - 1, r - 1));
                add(at(c - 1, r - 1), at(c - 1, r));
            }
            if (left && below) {
                add(at(c - 1, r), at(c - 1, r + 1));
                add(at(c - 1, r + 1), at(c, r + 1));
            }
            if (right && above) {
                add(at(c + 1, r), at(c + 1, r - 1));
                add(at(c + 1, r - 1), at(c, r - 1));
            }
            if (right && below) {
                add(at(c, r + 1), at(c + 1, r + 1));
                add(at(c + 1, r + 1), at(c + 1, r));
            }
            if (k > 0) VectorScale(sum, sum, 1.0f / static_cast<float>(k));
            record::SetNormal(Vertex(r * columns + c), sum);
        }
    }
}

void TkelDXCustomMap::CalcTextureCoords() {
    UINT sets = TexCoordSets();
    if (RowCount < 2 || ColumnCount < 2 || sets == 0) return;
    for (UINT r = 0; r < RowCount; ++r) {
        float v = static_cast<float>(r) / static_cast<float>(RowCount - 1);
        for (UINT c = 0; c < ColumnCount; ++c) {
            float u = static_cast<float>(c) / static_cast<float>(ColumnCount - 1);
            BYTE* vertex = Vertex(r * ColumnCount + c);
            for (UINT set = 0; set < sets; ++set) record::SetTexCoord(vertex, set, u, v);
        }
    }
}

}  // namespace kelDX8
