#include "TkelDXMap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "EngineClock.h"
#include "VertexRecord.h"

namespace kelDX8 {

const char* TkelDXMap::ClassName() const { return "TkelDXMap"; }

void TkelDXMap::Create(TkelDXScene* NewScene, UINT Columns, UINT Rows, UINT Size, DWORD Format) {
    TkelDXCustomMap::Create(NewScene, Columns, Rows, Size, Format);
    BuildDefaultShape();
}

void TkelDXMap::BuildIndices() {
    if (RowCount < 2 || ColumnCount < 2) return;
    const UINT m = ColumnCount;
    UINT t = 0;
    for (UINT row = 0; row + 1 < RowCount; ++row) {
        for (UINT column = 0; column + 1 < m; ++column) {
            UINT b = row * m + column;
            WriteTriangle(t++, b + 1, b, b + m);
            WriteTriangle(t++, b + 1, b + m, b + m + 1);
        }
    }
}

void TkelDXMap::BuildDefaultShape() {
    if (!RequireGrid()) return;
    RequireStandardFormat();
    SetPrimitiveType(D3DPT_TRIANGLELIST);
    SetAutoPrimitiveCount(true);
    const float last = static_cast<float>(std::min(ColumnCount, RowCount) - 1);
    for (UINT r = 0; r < RowCount; ++r) {
        for (UINT c = 0; c < ColumnCount; ++c) {
            float x = (static_cast<float>(c) / last - 0.5f) * 3;
            float z = (static_cast<float>(r) / last - 0.5f) * 3;
            float d = std::sqrt(x * x + z * z) * TwoPi;
            float y = std::sin(d + TimeAngle(0.5f)) / 2;
            // On an oblong grid |x| * 144 passes 255; the green byte stops there.
            auto green = static_cast<BYTE>(std::min(255.0f, std::fabs(x * 144)));
            TkelDXVertex head;
            MakeVertex(176, green, 0, x, y, z, 0, 0, 0, 0.7f, head);
            record::SetHead(MapVertex(c, r), head);
        }
    }
    BuildIndices();
    CalcNormals();
    CalcTextureCoords();
}

}  // namespace kelDX8
