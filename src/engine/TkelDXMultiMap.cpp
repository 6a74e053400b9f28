#include "TkelDXMultiMap.h"

#include <cmath>
#include <numbers>

#include "VertexRecord.h"

namespace kelDX8 {

const char* TkelDXMultiMap::ClassName() const { return "TkelDXMultiMap"; }

void TkelDXMultiMap::SetPlane(const D3DVECTOR& A, const D3DVECTOR& B, const D3DVECTOR& C) {
    if (!RequireGrid()) return;
    RequireStandardFormat();
    D3DVECTOR across, up;
    VectorSubtract(across, C, B);
    VectorSubtract(up, A, B);
    const float lastColumn = static_cast<float>(ColumnCount - 1), lastRow = static_cast<float>(RowCount - 1);
    for (UINT r = 0; r < RowCount; ++r) {
        float fr = static_cast<float>(r) / lastRow;
        for (UINT c = 0; c < ColumnCount; ++c) {
            float fc = static_cast<float>(c) / lastColumn;
            D3DVECTOR p{B.x + across.x * fc + up.x * fr, B.y + across.y * fc + up.y * fr,
                        B.z + across.z * fc + up.z * fr};
            record::SetPosition(MapVertex(c, r), p);
        }
    }
    CalcNormals();
    CalcTextureCoords();
}

void TkelDXMultiMap::SetTorus(const D3DVECTOR& Center, float TubeRadius, float RingRadius) {
    if (!RequireGrid()) return;
    RequireStandardFormat();
    constexpr double pi = std::numbers::pi;
    for (UINT r = 0; r < RowCount; ++r) {
        double phi = r * 2 * pi / (RowCount - 1) - pi;
        double ring = RingRadius + TubeRadius * std::cos(phi);
        for (UINT c = 0; c < ColumnCount; ++c) {
            double theta = c * 2 * pi / (ColumnCount - 1) - pi;
            D3DVECTOR p{static_cast<float>(Center.x + ring * std::cos(theta)),
                        static_cast<float>(Center.y + TubeRadius * std::sin(phi)),
                        static_cast<float>(Center.z + ring * std::sin(theta))};
            record::SetPosition(MapVertex(c, r), p);
        }
    }
    CalcNormals();
    CalcTextureCoords();
}

void TkelDXMultiMap::BuildDefaultShape() {
    if (!RequireGrid()) return;
    SetTorus({0, 0, 0}, 1.0f, 2.0f);
    for (UINT r = 0; r < RowCount; ++r) {
        auto k = static_cast<TColor>(r * 175 / (RowCount - 1));
        for (UINT c = 0; c < ColumnCount; ++c) SetVertexColor(c, r, 0xEFEF - k * 256);
    }
}

}  // namespace kelDX8
