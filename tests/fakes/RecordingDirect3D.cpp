#include "RecordingDirect3D.h"

#include <algorithm>

#include "entry_points.h"

namespace fakes {

Direct3DSettings::Direct3DSettings() : Caps{}, DisplayMode{1920, 1080, 60, D3DFMT_X8R8G8B8} {
    Caps.DeviceType = D3DDEVTYPE_HAL;
    Caps.MaxTextureWidth = 4096;
    Caps.MaxTextureHeight = 4096;
    Caps.MaxTextureBlendStages = 8;
    Caps.MaxSimultaneousTextures = 8;
    Caps.MaxActiveLights = 8;
    Caps.MaxPrimitiveCount = 0xFFFFF;
    Caps.MaxVertexIndex = 0xFFFFFF;
    Caps.MaxStreams = 16;
    Caps.MaxStreamStride = 256;
    FullScreenFormats = {{D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8}, {D3DFMT_R5G6B5, D3DFMT_R5G6B5}};
}

RecordingDirect3D::RecordingDirect3D(std::shared_ptr<CallRecorder> recorder,
                                     std::shared_ptr<const Direct3DSettings> settings)
    : RecordedObject(std::move(recorder), "D3D"), settings_(std::move(settings)) {}

HRESULT RecordingDirect3D::GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("GetAdapterDisplayMode", Adapter);
    if (FAILED(hr)) return hr;
    if (!pMode || Adapter != D3DADAPTER_DEFAULT) return recorder_->Returned(D3DERR_INVALIDCALL);
    *pMode = settings_->DisplayMode;
    return hr;
}

HRESULT RecordingDirect3D::CheckDeviceType(UINT Adapter, D3DDEVTYPE CheckType, D3DFORMAT DisplayFormat,
                                           D3DFORMAT BackBufferFormat, BOOL Windowed) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("CheckDeviceType", Adapter, CheckType, DisplayFormat, BackBufferFormat, Windowed);
    if (FAILED(hr)) return hr;
    const auto& formats = settings_->FullScreenFormats;
    bool accepted = std::find(formats.begin(), formats.end(), std::pair{DisplayFormat, BackBufferFormat}) !=
                    formats.end();
    return accepted ? hr : recorder_->Returned(D3DERR_NOTAVAILABLE);
}

HRESULT RecordingDirect3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                                        D3DPRESENT_PARAMETERS* pPresentationParameters,
                                        IDirect3DDevice8** ppReturnedDeviceInterface) {
    auto lock = recorder_->Lock();
    HRESULT hr = recorder_->Call("CreateDevice", Adapter, DeviceType, static_cast<const void*>(hFocusWindow),
                                 Hex{BehaviorFlags});
    if (ppReturnedDeviceInterface) *ppReturnedDeviceInterface = nullptr;
    if (FAILED(hr)) return hr;
    if (!pPresentationParameters || !ppReturnedDeviceInterface) return recorder_->Returned(D3DERR_INVALIDCALL);
    *ppReturnedDeviceInterface = new RecordingDevice(
        recorder_, {settings_->Caps, settings_->DisplayMode, hFocusWindow, BehaviorFlags, *pPresentationParameters});
    return hr;
}

Direct3DRecorder::Direct3DRecorder()
    : recorder_(std::make_shared<CallRecorder>()), settings_(std::make_shared<Direct3DSettings>()) {
    d3d8::SetDirect3DFactory([recorder = recorder_, settings = settings_](UINT version) -> IDirect3D8* {
        if (FAILED(recorder->Call("Direct3DCreate8", version))) return nullptr;
        return new RecordingDirect3D(recorder, settings);
    });
}

Direct3DRecorder::~Direct3DRecorder() { d3d8::SetDirect3DFactory(nullptr); }

std::vector<std::string> Direct3DRecorder::Log() const {
    std::vector<std::string> texts;
    for (const auto& call : recorder_->Calls()) texts.push_back(call.Text);
    return texts;
}

std::vector<std::string> Direct3DRecorder::Names() const {
    std::vector<std::string> names;
    for (const auto& call : recorder_->Calls()) names.push_back(call.Name);
    return names;
}

std::vector<std::string> Direct3DRecorder::LogOf(const std::string& Name) const {
    std::vector<std::string> texts;
    for (const auto& call : recorder_->Calls())
        if (call.Name == Name) texts.push_back(call.Text);
    return texts;
}

}  // namespace fakes
