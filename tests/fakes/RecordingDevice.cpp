#include "RecordingDevice.h"

#include "d3dx8.h"

namespace fakes {

RecordingDevice::RecordingDevice(std::shared_ptr<CallRecorder> recorder, const Creation& creation)
    : RecordedObject(std::move(recorder), "D"), creation_(creation) {}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS8* pCaps) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("GetDeviceCaps");
    if (FAILED(hr)) return hr;
    if (!pCaps) return recorder_->Returned(D3DERR_INVALIDCALL);
    *pCaps = creation_.Caps;
    return hr;
}

HRESULT RecordingDevice::GetDisplayMode(D3DDISPLAYMODE* pMode) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("GetDisplayMode");
    if (FAILED(hr)) return hr;
    if (!pMode) return recorder_->Returned(D3DERR_INVALIDCALL);
    *pMode = creation_.DisplayMode;
    return hr;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetRenderState", State, Value);
    if (FAILED(hr)) return hr;
    renderStates_[State] = Value;
    return hr;
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("GetRenderState", State);
    if (FAILED(hr)) return hr;
    if (!pValue) return recorder_->Returned(D3DERR_INVALIDCALL);
    *pValue = RenderState(State);
    return hr;
}

HRESULT RecordingDevice::SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetTextureStageState", Stage, Type, Value);
    if (FAILED(hr)) return hr;
    if (!StageValid(Stage)) return recorder_->Returned(D3DERR_INVALIDCALL);
    stageStates_[{Stage, Type}] = Value;
    return hr;
}

HRESULT RecordingDevice::GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("GetTextureStageState", Stage, Type);
    if (FAILED(hr)) return hr;
    if (!pValue || !StageValid(Stage)) return recorder_->Returned(D3DERR_INVALIDCALL);
    *pValue = TextureStageState(Stage, Type);
    return hr;
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE State, const D3DMATRIX* pMatrix) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetTransform", State, pMatrix);
    if (FAILED(hr)) return hr;
    if (!pMatrix) return recorder_->Returned(D3DERR_INVALIDCALL);
    transforms_[State] = *pMatrix;
    return hr;
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE State, D3DMATRIX* pMatrix) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("GetTransform", State);
    if (FAILED(hr)) return hr;
    if (!pMatrix) return recorder_->Returned(D3DERR_INVALIDCALL);
    *pMatrix = Transform(State);
    return hr;
}

HRESULT RecordingDevice::SetMaterial(const D3DMATERIAL8* pMaterial) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetMaterial", pMaterial);
    if (FAILED(hr)) return hr;
    if (!pMaterial) return recorder_->Returned(D3DERR_INVALIDCALL);
    material_ = *pMaterial;
    return hr;
}

HRESULT RecordingDevice::SetTexture(DWORD Stage, IDirect3DBaseTexture8* pTexture) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetTexture", Stage, static_cast<const IUnknown*>(pTexture));
    if (FAILED(hr)) return hr;
    if (!StageValid(Stage)) return recorder_->Returned(D3DERR_INVALIDCALL);
    if (pTexture) pTexture->AddRef();
    textures_[Stage] = ComPtr<IDirect3DBaseTexture8>::Attach(pTexture);
    return hr;
}

HRESULT RecordingDevice::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                               DWORD Stencil) {
    auto lock = recorder_->Lock();
    return recorder_->Call("Clear", Count, pRects, Flags, Hex{Color}, Z, Stencil);
}

HRESULT RecordingDevice::BeginScene() {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("BeginScene");
    if (FAILED(hr)) return hr;
    if (inScene_) return recorder_->Returned(D3DERR_INVALIDCALL);
    inScene_ = true;
    return hr;
}

HRESULT RecordingDevice::EndScene() {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("EndScene");
    if (FAILED(hr)) return hr;
    if (!inScene_) return recorder_->Returned(D3DERR_INVALIDCALL);
    inScene_ = false;
    return hr;
}

HRESULT RecordingDevice::Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                                 const RGNDATA* pDirtyRegion) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("Present", pSourceRect, pDestRect, static_cast<const void*>(hDestWindowOverride),
                                 static_cast<const void*>(pDirtyRegion));
    if (FAILED(hr)) return hr;
    ++presentCount_;
    return hr;
}

HRESULT RecordingDevice::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                                       D3DPOOL Pool, IDirect3DTexture8** ppTexture) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("CreateTexture", Width, Height, Levels, Hex{Usage}, Format, Pool);
    if (ppTexture) *ppTexture = nullptr;
    if (FAILED(hr)) return hr;
    if (!ppTexture || Width == 0 || Height == 0) return recorder_->Returned(D3DERR_INVALIDCALL);
    *ppTexture = new RecordingTexture(recorder_, Width, Height, Levels, Usage, Format, Pool);
    return hr;
}

HRESULT RecordingDevice::CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                            IDirect3DVertexBuffer8** ppVertexBuffer) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("CreateVertexBuffer", Length, Hex{Usage}, Hex{FVF}, Pool);
    if (ppVertexBuffer) *ppVertexBuffer = nullptr;
    if (FAILED(hr)) return hr;
    if (!ppVertexBuffer || Length == 0) return recorder_->Returned(D3DERR_INVALIDCALL);
    *ppVertexBuffer = new RecordingVertexBuffer(recorder_, "VertexBuffer", "VB",
                                                {D3DFMT_UNKNOWN, D3DRTYPE_VERTEXBUFFER, Usage, Pool, Length, FVF});
    return hr;
}

HRESULT RecordingDevice::CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                           IDirect3DIndexBuffer8** ppIndexBuffer) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("CreateIndexBuffer", Length, Hex{Usage}, Format, Pool);
    if (ppIndexBuffer) *ppIndexBuffer = nullptr;
    if (FAILED(hr)) return hr;
    if (!ppIndexBuffer || Length == 0) return recorder_->Returned(D3DERR_INVALIDCALL);
    *ppIndexBuffer = new RecordingIndexBuffer(recorder_, "IndexBuffer", "IB",
                                              {Format, D3DRTYPE_INDEXBUFFER, Usage, Pool, Length});
    return hr;
}

HRESULT RecordingDevice::SetVertexShader(DWORD Handle) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetVertexShader", Hex{Handle});
    if (FAILED(hr)) return hr;
    vertexShader_ = Handle;
    return hr;
}

HRESULT RecordingDevice::SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8* pStreamData, UINT Stride) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetStreamSource", StreamNumber, static_cast<const IUnknown*>(pStreamData), Stride);
    if (FAILED(hr)) return hr;
    if (StreamNumber != 0) return recorder_->Returned(D3DERR_INVALIDCALL);
    if (pStreamData) pStreamData->AddRef();
    streamSource_ = ComPtr<IDirect3DVertexBuffer8>::Attach(pStreamData);
    streamStride_ = Stride;
    return hr;
}

HRESULT RecordingDevice::SetIndices(IDirect3DIndexBuffer8* pIndexData, UINT BaseVertexIndex) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("SetIndices", static_cast<const IUnknown*>(pIndexData), BaseVertexIndex);
    if (FAILED(hr)) return hr;
    if (pIndexData) pIndexData->AddRef();
    indices_ = ComPtr<IDirect3DIndexBuffer8>::Attach(pIndexData);
    return hr;
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("DrawPrimitive", PrimitiveType, StartVertex, PrimitiveCount);
    if (FAILED(hr)) return hr;
    if (!inScene_ || !streamSource_) return recorder_->Returned(D3DERR_INVALIDCALL);
    return hr;
}

HRESULT RecordingDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT MinIndex, UINT NumVertices,
                                              UINT StartIndex, UINT PrimitiveCount) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("DrawIndexedPrimitive", PrimitiveType, MinIndex, NumVertices, StartIndex,
                                 PrimitiveCount);
    if (FAILED(hr)) return hr;
    if (!inScene_ || !streamSource_ || !indices_) return recorder_->Returned(D3DERR_INVALIDCALL);
    return hr;
}

DWORD RecordingDevice::RenderState(D3DRENDERSTATETYPE State) const {
    auto lock = recorder_->Lock();
    auto it = renderStates_.find(State);
    return it == renderStates_.end() ? 0 : it->second;
}

DWORD RecordingDevice::TextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type) const {
    auto lock = recorder_->Lock();
    auto it = stageStates_.find({Stage, Type});
    return it == stageStates_.end() ? 0 : it->second;
}

D3DMATRIX RecordingDevice::Transform(D3DTRANSFORMSTATETYPE State) const {
    auto lock = recorder_->Lock();
    auto it = transforms_.find(State);
    if (it != transforms_.end()) return it->second;
    D3DMATRIX identity;
    D3DXMatrixIdentity(&identity);
    return identity;
}

IDirect3DBaseTexture8* RecordingDevice::Texture(DWORD Stage) const {
    auto lock = recorder_->Lock();
    return StageValid(Stage) ? textures_[Stage].get() : nullptr;
}

D3DMATERIAL8 RecordingDevice::Material() const {
    auto lock = recorder_->Lock();
    return material_;
}

DWORD RecordingDevice::VertexShader() const {
    auto lock = recorder_->Lock();
    return vertexShader_;
}

RecordingVertexBuffer* RecordingDevice::StreamSource() const {
    auto lock = recorder_->Lock();
    return AsRecorded<RecordingVertexBuffer>(streamSource_);
}

UINT RecordingDevice::StreamStride() const {
    auto lock = recorder_->Lock();
    return streamStride_;
}

RecordingIndexBuffer* RecordingDevice::Indices() const {
    auto lock = recorder_->Lock();
    return AsRecorded<RecordingIndexBuffer>(indices_);
}

bool RecordingDevice::InScene() const {
    auto lock = recorder_->Lock();
    return inScene_;
}

int RecordingDevice::PresentCount() const {
    auto lock = recorder_->Lock();
    return presentCount_;
}

}  // namespace fakes
