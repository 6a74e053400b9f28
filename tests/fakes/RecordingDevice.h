// A Direct3D 8 device that logs every call (see CallRecorder.h for the texts),
// keeps the state the engine sets, and fails whatever the test asks it to.
//
// Like a real device it refuses draws outside BeginScene/EndScene, a nested
// BeginScene, EndScene without BeginScene, stages above 7, and zero-sized
// buffers, with D3DERR_INVALIDCALL. GetRenderState gives the value last set, 0
// for a state never set. Bound textures, the stream source and the indices are
// held (referenced) until replaced or until the device goes.
#pragma once

#include <map>
#include <memory>
#include <utility>

#include "RecordingResources.h"

namespace fakes {

class RecordingDevice final : public RefCounted<IDirect3DDevice8>, public RecordedObject {
public:
    struct Creation {
        D3DCAPS8 Caps;
        D3DDISPLAYMODE DisplayMode;
        HWND FocusWindow;
        DWORD BehaviorFlags;
        D3DPRESENT_PARAMETERS PresentParameters;
    };
    RecordingDevice(std::shared_ptr<CallRecorder> recorder, const Creation& creation);

    HRESULT GetDeviceCaps(D3DCAPS8* pCaps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* pMode) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) override;
    HRESULT SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value) override;
    HRESULT GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE State, const D3DMATRIX* pMatrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE State, D3DMATRIX* pMatrix) override;
    HRESULT SetMaterial(const D3DMATERIAL8* pMaterial) override;
    HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture8* pTexture) override;
    HRESULT Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z, DWORD Stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                    const RGNDATA* pDirtyRegion) override;
    HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                          IDirect3DTexture8** ppTexture) override;
    HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                               IDirect3DVertexBuffer8** ppVertexBuffer) override;
    HRESULT CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                              IDirect3DIndexBuffer8** ppIndexBuffer) override;
    HRESULT SetVertexShader(DWORD Handle) override;
    HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8* pStreamData, UINT Stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer8* pIndexData, UINT BaseVertexIndex) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT MinIndex, UINT NumVertices, UINT StartIndex,
                                 UINT PrimitiveCount) override;

    // What the engine set, for the test to read.
    const Creation& Created() const { return creation_; }
    DWORD RenderState(D3DRENDERSTATETYPE State) const;
    DWORD TextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type) const;
    // The identity for a transform never set.
    D3DMATRIX Transform(D3DTRANSFORMSTATETYPE State) const;
    IDirect3DBaseTexture8* Texture(DWORD Stage) const;
    D3DMATERIAL8 Material() const;
    DWORD VertexShader() const;
    RecordingVertexBuffer* StreamSource() const;
    UINT StreamStride() const;
    RecordingIndexBuffer* Indices() const;
    bool InScene() const;
    int PresentCount() const;

private:
    bool StageValid(DWORD stage) const { return stage < 8; }

    Creation creation_;
    std::map<D3DRENDERSTATETYPE, DWORD> renderStates_;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> stageStates_;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> transforms_;
    ComPtr<IDirect3DBaseTexture8> textures_[8];
    D3DMATERIAL8 material_{};
    DWORD vertexShader_ = 0;
    ComPtr<IDirect3DVertexBuffer8> streamSource_;
    UINT streamStride_ = 0;
    ComPtr<IDirect3DIndexBuffer8> indices_;
    bool inScene_ = false;
    int presentCount_ = 0;
};

// The recording object behind an interface pointer the engine holds
// (scene->VertexBuffer, scene->Device...), or nullptr when it is not one.
template <class Recording, class Interface>
Recording* AsRecorded(const ComPtr<Interface>& p) {
    return dynamic_cast<Recording*>(p.get());
}

}  // namespace fakes
