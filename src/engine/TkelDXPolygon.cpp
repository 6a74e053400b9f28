#include "TkelDXPolygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "Colors.h"
#include "EngineSwitches.h"
#include "TkelDXScene.h"
#include "VertexRecord.h"
#include "d3dx8.h"

namespace kelDX8 {

const char* TkelDXPolygon::ClassName() const { return "TkelDXPolygon"; }

void TkelDXPolygon::Create(TkelDXScene* NewScene, UINT Count, UINT Size, DWORD Format) {
    TkelDXCustomInsertObject::Create(NewScene);
    PrimitiveType = D3DPT_TRIANGLESTRIP;
    VertexCount = Count;
    if (Scene->CapsValid && VertexCount > Scene->Caps.MaxVertexIndex)
        CheckResult(D3DERR_NOTAVAILABLE, "Count of vertices not supported. (device-caps: max vertex index)",
                    DescribeD3DResult, RaiseOnCapsError);
    VertexSize = Size;
    if (Scene->CapsValid && VertexSize > Scene->Caps.MaxStreamStride)
        CheckResult(D3DERR_NOTAVAILABLE, "Size of vertex not supported (device caps: max stream stride)",
                    DescribeD3DResult, RaiseOnCapsError);
    VertexFormat = Format;
    // A size that overflows 32 bits would give an array shorter than its records.
    std::uint64_t bytes = std::uint64_t{VertexSize} * VertexCount;
    if (bytes > UINT32_MAX) CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
    VertexBytes = static_cast<UINT>(bytes);
    SetAutoPrimitiveCount(true);
    Scene->RequestVertexBufferSize(VertexBytes);
    Scene->RequestVertexFormat(VertexFormat);
    Vertices.assign(VertexBytes, 0);
}

template <class Buffer>
void TkelDXPolygon::Upload(Buffer* buffer, const void* data, UINT bytes) {
    BYTE* target = nullptr;
    // Without CreateBuffers there is no buffer to lock: reported like a failed lock.
    HRESULT locked = buffer ? buffer->Lock(0, bytes, &target, 0) : D3DERR_INVALIDCALL;
    if (!CheckResult(locked, "Cant lock/unlock buffer.", DescribeD3DResult, RaiseOnStateError) || !target) return;
    std::memcpy(target, data, bytes);
    CheckResult(buffer->Unlock(), "Cant lock/unlock buffer.", DescribeD3DResult, RaiseOnStateError);
}
template void TkelDXPolygon::Upload(IDirect3DIndexBuffer8*, const void*, UINT);

void TkelDXPolygon::Insert() {
    TkelDXCustomInsertObject::Insert();
    Upload(Scene->VertexBuffer.get(), Vertices.data(), VertexBytes);
    IDirect3DDevice8* device = Scene->Device.get();
    CheckResult(device->SetStreamSource(0, Scene->VertexBuffer.get(), VertexSize), "Cant set stream source.",
                DescribeD3DResult, RaiseOnStateError);
    CheckResult(device->SetVertexShader(VertexFormat), "Cant set vertex shader.", DescribeD3DResult,
                RaiseOnStateError);
}

void TkelDXPolygon::Draw() {
    TkelDXCustomInsertObject::Draw();
    if (Visible)
        CheckResult(Scene->Device->DrawPrimitive(PrimitiveType, StartVertex, PrimitiveCount), "Cant draw.",
                    DescribeD3DResult, RaiseOnStateError);
}

UINT TkelDXPolygon::CalcPrimitiveCount() const { return PrimitiveCountOf(PrimitiveType, VertexCount); }

BYTE* TkelDXPolygon::RecordAt(std::uint64_t index) {
    std::uint64_t offset = index * VertexSize;
    if (index >= VertexCount || offset >= Vertices.size())
        CheckResult(D3DERR_INVALIDCALL, "Index out of range.", DescribeD3DResult, true);
    return Vertices.data() + offset;
}

BYTE* TkelDXPolygon::Vertex(UINT I) { return RecordAt(I); }

void TkelDXPolygon::RequireStandardFormat() const {
    if (!IsStandardVertexFormat(VertexFormat) || VertexSize < record::HeadSize)
        CheckResult(D3DERR_INVALIDCALL, "Operation dont work together with that vertex format.", DescribeD3DResult,
                    true);
}

UINT TkelDXPolygon::TexCoordSets() const {
    UINT sets = std::min(StandardTexCoordCount(VertexFormat), 2u);
    while (sets > 0 && record::HeadSize + sets * record::TexCoordSize > VertexSize) --sets;
    return sets;
}

void TkelDXPolygon::SetAlpha(float Value) {
    RequireStandardFormat();
    D3DCOLOR probe = 0;
    SetColorAlpha(probe, Value);  // raises before any vertex changes
    for (UINT i = 0; i < VertexCount; ++i) {
        BYTE* v = Vertex(i);
        record::SetDiffuse(v, (record::Diffuse(v) & 0x00FFFFFF) | probe);
    }
}

void TkelDXPolygon::SetPrimitiveType(D3DPRIMITIVETYPE Value) {
    PrimitiveType = Value;
    if (AutoPrimitiveCount) PrimitiveCount = CalcPrimitiveCount();
}

void TkelDXPolygon::SetAutoPrimitiveCount(bool Value) {
    AutoPrimitiveCount = Value;
    if (!Value) return;
    StartVertex = 0;
    PrimitiveCount = CalcPrimitiveCount();
    if (Scene->CapsValid && PrimitiveCount > Scene->Caps.MaxPrimitiveCount)
        CheckResult(D3DERR_NOTAVAILABLE, "Count of draw primitives is not supported. (device caps: max primitive count)",
                    DescribeD3DResult, RaiseOnCapsError);
}

void TkelDXPolygon::CalcPrimitiveNormals(UINT Count, const std::function<DWORD(UINT Position)>& VertexOf) {
    RequireStandardFormat();
    if (PrimitiveType != D3DPT_TRIANGLELIST && PrimitiveType != D3DPT_TRIANGLESTRIP &&
        PrimitiveType != D3DPT_TRIANGLEFAN)
        CheckResult(D3DERR_INVALIDCALL, "Operation dont work together with that draw mode.", DescribeD3DResult, true);
    std::vector<D3DVECTOR> sums(VertexCount, D3DVECTOR{0, 0, 0});
    std::vector<UINT> counts(VertexCount, 0);
    for (UINT i = 0; i < Count; ++i) {
        UINT a, b, c;
        if (PrimitiveType == D3DPT_TRIANGLELIST) {
            a = 3 * i, b = 3 * i + 1, c = 3 * i + 2;
        } else if (PrimitiveType == D3DPT_TRIANGLEFAN) {
            a = 0, b = i + 1, c = i + 2;
        } else if (i % 2 == 0) {
            a = i, b = i + 1, c = i + 2;
        } else {
            a = i + 2, b = i + 1, c = i;
        }
        DWORD corners[3] = {VertexOf(a), VertexOf(b), VertexOf(c)};
        D3DVECTOR pa = record::Position(RecordAt(corners[0]));
        D3DVECTOR ab, ac, face;
        VectorSubtract(ab, record::Position(RecordAt(corners[1])), pa);
        VectorSubtract(ac, record::Position(RecordAt(corners[2])), pa);
        VectorCross(face, ab, ac);
        D3DXVec3Normalize(&face, &face);
        for (DWORD corner : corners) {
            VectorAdd(sums[corner], sums[corner], face);
            ++counts[corner];
        }
    }
    for (UINT i = 0; i < VertexCount; ++i) {
        D3DVECTOR normal{0, 0, 0};
        if (counts[i] > 0) VectorScale(normal, sums[i], 1.0f / static_cast<float>(counts[i]));
        record::SetNormal(Vertex(i), normal);
    }
}

void TkelDXPolygon::CalcNormals() {
    if (VertexCount <= 2) return;
    CalcPrimitiveNormals(CalcPrimitiveCount(), [](UINT position) { return DWORD{position}; });
}

void TkelDXPolygon::CalcTextureCoords() {
    UINT sets = TexCoordSets();
    for (UINT i = 0; sets > 0 && i < VertexCount; ++i)
        for (UINT set = 0; set < sets; ++set) record::SetTexCoord(Vertex(i), set, 0, 0);
}

void TkelDXPolygon::BuildDefaultShape() {
    if (VertexCount <= 1) return;
    RequireStandardFormat();
    SetPrimitiveType(D3DPT_TRIANGLESTRIP);
    SetAutoPrimitiveCount(true);
    // Two or three vertices make no ring: the angle step would divide by zero.
    if (VertexCount / 2 - 1 == 0) return;
    BuildTube();
}

void TkelDXPolygon::BuildTube() {
    UINT a = VertexCount / 2 - 1;
    for (UINT k = 0; k <= a; ++k) {
        float alpha = static_cast<float>(2.0 * k * std::numbers::pi / a);
        float x = std::cos(alpha), z = std::sin(alpha);
        TkelDXVertex head;
        MakeVertex(40, 0, 255, x, -1, z, 0, 0, 0, 0.7f, head);
        record::SetHead(Vertex(2 * k), head);
        MakeVertex(40, 255, 0, x, 1, z, 0, 0, 0, 0.7f, head);
        record::SetHead(Vertex(2 * k + 1), head);
    }
    CalcNormals();
    CalcTextureCoords();
    // The last pair lies on the first: one normal for both sides of the seam.
    for (UINT first : {0u, 1u}) {
        D3DVECTOR sum;
        VectorAdd(sum, record::Normal(Vertex(first)), record::Normal(Vertex(2 * a + first)));
        D3DXVec3Normalize(&sum, &sum);
        record::SetNormal(Vertex(first), sum);
        record::SetNormal(Vertex(2 * a + first), sum);
    }
}

}  // namespace kelDX8
