#include "TkelDXIndexedPolygon.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "EngineSwitches.h"
#include "TkelDXScene.h"
#include "VertexRecord.h"
#include "d3dx8.h"

namespace kelDX8 {

const char* TkelDXIndexedPolygon::ClassName() const { return "TkelDXIndexedPolygon"; }

void TkelDXIndexedPolygon::Create(TkelDXScene* NewScene, UINT Vertices, UINT Count, UINT Size, DWORD Format) {
    TkelDXPolygon::Create(NewScene, Vertices, Size, Format);
    if (VertexCount > 65536 && !Scene->Index32)
        CheckResult(D3DERR_NOTAVAILABLE, "More than 65536 vertices require a 32-Bit-Index.", DescribeD3DResult,
                    RaiseOnIndexError);
    MinIndex = 0;
    NumVertices = VertexCount;
    IndexCount = Count;
    SetPrimitiveType(D3DPT_TRIANGLELIST);
    std::uint64_t bytes = std::uint64_t{IndexCount} * (Scene->Index32 ? 4 : 2);
    if (bytes > UINT32_MAX) CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
    IndexBytes = static_cast<UINT>(bytes);
    Scene->RequestIndexBufferSize(IndexBytes);
    Indices.assign(IndexBytes / 2, 0);
}

void TkelDXIndexedPolygon::AfterInsert() {
    Upload(Scene->IndexBuffer.get(), Indices.data(), IndexBytes);
    CheckResult(Scene->Device->SetIndices(Scene->IndexBuffer.get(), 0), "Cant set indices.", DescribeD3DResult,
                RaiseOnStateError);
}

void TkelDXIndexedPolygon::Draw() {
    TkelDXCustomInsertObject::Draw();
    if (Visible)
        CheckResult(Scene->Device->DrawIndexedPrimitive(PrimitiveType, MinIndex, NumVertices, StartVertex,
                                                        PrimitiveCount),
                    "Cant draw.", DescribeD3DResult, RaiseOnStateError);
}

UINT TkelDXIndexedPolygon::CalcPrimitiveCount() const { return PrimitiveCountOf(PrimitiveType, IndexCount); }

WORD TkelDXIndexedPolygon::ReadIndex16(UINT I) const {
    if (I >= Indices.size()) CheckResult(D3DERR_INVALIDCALL, "Index out of range.", DescribeD3DResult, true);
    return Indices[I];
}

DWORD TkelDXIndexedPolygon::ReadIndex32(UINT I) const {
    if (std::uint64_t{I} * 2 + 1 >= Indices.size())
        CheckResult(D3DERR_INVALIDCALL, "Index out of range.", DescribeD3DResult, true);
    DWORD value;
    std::memcpy(&value, &Indices[std::size_t{I} * 2], sizeof value);
    return value;
}

DWORD TkelDXIndexedPolygon::ReadIndex(UINT I) const { return Scene->Index32 ? ReadIndex32(I) : ReadIndex16(I); }

UINT TkelDXIndexedPolygon::TrianglePosition(UINT I, UINT wordsPerIndex) const {
    std::uint64_t first = 0;
    if (PrimitiveType == D3DPT_TRIANGLELIST) {
        first = std::uint64_t{I} * 3;
    } else if (PrimitiveType == D3DPT_TRIANGLESTRIP) {
        first = I;
    } else {
        CheckResult(D3DERR_INVALIDCALL, "Operation dont work together with that draw mode.", DescribeD3DResult, true);
    }
    if ((first + 3) * wordsPerIndex > Indices.size())
        CheckResult(D3DERR_INVALIDCALL, "Index out of range.", DescribeD3DResult, true);
    return static_cast<UINT>(first * wordsPerIndex);
}

TkelDXTriangle16* TkelDXIndexedPolygon::Triangle16(UINT I) {
    return reinterpret_cast<TkelDXTriangle16*>(&Indices[TrianglePosition(I, 1)]);
}

TkelDXTriangle32* TkelDXIndexedPolygon::Triangle32(UINT I) {
    return reinterpret_cast<TkelDXTriangle32*>(&Indices[TrianglePosition(I, 2)]);
}

void TkelDXIndexedPolygon::WriteTriangle(UINT T, DWORD A, DWORD B, DWORD C) {
    std::uint64_t first = std::uint64_t{T} * 3;
    if (Scene->Index32) {
        if ((first + 3) * 2 > Indices.size())
            CheckResult(D3DERR_INVALIDCALL, "Index out of range.", DescribeD3DResult, true);
        TkelDXTriangle32 t{A, B, C};
        std::memcpy(&Indices[first * 2], &t, sizeof t);
        return;
    }
    if (first + 3 > Indices.size() || A > 0xFFFF || B > 0xFFFF || C > 0xFFFF)
        CheckResult(D3DERR_INVALIDCALL, "Index out of range.", DescribeD3DResult, true);
    TkelDXTriangle16 t{static_cast<WORD>(A), static_cast<WORD>(B), static_cast<WORD>(C)};
    std::memcpy(&Indices[first], &t, sizeof t);
}

void TkelDXIndexedPolygon::CalcNormals() {
    if (VertexCount <= 2 || IndexCount <= 2) return;
    CalcPrimitiveNormals(CalcPrimitiveCount(), [this](UINT position) { return ReadIndex(position); });
}

void TkelDXIndexedPolygon::BuildIndices() {
    std::fill(Indices.begin(), Indices.end(), WORD{0});
    UINT s = static_cast<UINT>(std::sqrt(static_cast<double>(VertexCount)));
    if (s < 2) return;
    UINT written = 0;
    for (UINT row = 0; row + 1 < s; ++row) {
        for (UINT column = 0; column + 1 < s && written < PrimitiveCount; ++column, ++written) {
            UINT b = row * s + column;
            if (Scene->Index32) {
                MakeTriangle32(b + 1, b, b + s, *Triangle32(written));
            } else {
                MakeTriangle16(static_cast<WORD>(b + 1), static_cast<WORD>(b), static_cast<WORD>(b + s),
                               *Triangle16(written));
            }
        }
    }
}

void TkelDXIndexedPolygon::BuildDefaultShape() {
    if (VertexCount < 4 || IndexCount < 6) return;
    RequireStandardFormat();
    SetPrimitiveType(D3DPT_TRIANGLELIST);
    SetAutoPrimitiveCount(true);
    BuildSaddle();
}

void TkelDXIndexedPolygon::BuildSaddle() {
    UINT s = static_cast<UINT>(std::sqrt(static_cast<double>(VertexCount)));
    for (UINT r = 0; r < s; ++r) {
        for (UINT c = 0; c < s; ++c) {
            float x = (static_cast<float>(c) / s - 0.5f) * 3;
            float z = (static_cast<float>(r) / s - 0.5f) * 3;
            float y = 0.4f * x * x - 0.3f * z * z;
            auto red = static_cast<BYTE>(std::fabs(std::sin(x) * 250));
            auto blue = static_cast<BYTE>(std::fabs(std::sin(y) * 150));
            TkelDXVertex head;
            MakeVertex(red, 176, blue, x, y, z, 0, 0, 0, 0.7f, head);
            record::SetHead(Vertex(r * s + c), head);
        }
    }
    BuildIndices();
    // Central differences; a neighbour beyond the border is the vertex itself.
    auto at = [&](UINT r, UINT c) { return record::Position(Vertex(r * s + c)); };
    for (UINT r = 0; r < s; ++r) {
        for (UINT c = 0; c < s; ++c) {
            D3DVECTOR left = at(r, c > 0 ? c - 1 : c), right = at(r, c + 1 < s ? c + 1 : c);
            D3DVECTOR up = at(r > 0 ? r - 1 : r, c), down = at(r + 1 < s ? r + 1 : r, c);
            D3DVECTOR vertical, horizontal, normal;
            VectorSubtract(vertical, down, up);
            VectorSubtract(horizontal, right, left);
            VectorCross(normal, vertical, horizontal);
            D3DXVec3Normalize(&normal, &normal);
            record::SetNormal(Vertex(r * s + c), normal);
        }
    }
}

}  // namespace kelDX8
