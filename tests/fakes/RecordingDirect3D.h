// The recording Direct3D interface and the test's handle on the whole fake.
//
//   fakes::Direct3DRecorder d3d;          // installs itself as Direct3DCreate8
//   d3d.Settings().DisplayMode.Width = 800;
//   d3d.Fail("CreateDevice", D3DERR_NOTAVAILABLE, 1);   // only the first attempt
//   auto scene = kelDX8::New<kelDX8::TkelDXScene>(...);
//   EXPECT_EQ(d3d.LogOf("CreateDevice").size(), 2u);
//   d3d.Device()->RenderState(D3DRS_LIGHTING);
//
// Direct3DCreate8 itself is a call of the log ("Direct3DCreate8(220)"); failing
// it makes the factory give nothing.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RecordingDevice.h"

namespace fakes {

struct Direct3DSettings {
    Direct3DSettings();
    // What GetDeviceCaps reports: a capable device (8 stages, 16M vertices,
    // stride 256, 1M primitives, 4096 x 4096 textures).
    D3DCAPS8 Caps;
    // What GetAdapterDisplayMode and the device's GetDisplayMode report.
    D3DDISPLAYMODE DisplayMode;
    // The (display, back buffer) pairs that CheckDeviceType accepts; any other
    // pair gives D3DERR_NOTAVAILABLE.
    std::vector<std::pair<D3DFORMAT, D3DFORMAT>> FullScreenFormats;
};

class RecordingDirect3D final : public RefCounted<IDirect3D8>, public RecordedObject {
public:
    RecordingDirect3D(std::shared_ptr<CallRecorder> recorder, std::shared_ptr<const Direct3DSettings> settings);

    HRESULT GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode) override;
    HRESULT CheckDeviceType(UINT Adapter, D3DDEVTYPE CheckType, D3DFORMAT DisplayFormat, D3DFORMAT BackBufferFormat,
                            BOOL Windowed) override;
    HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                         D3DPRESENT_PARAMETERS* pPresentationParameters,
                         IDirect3DDevice8** ppReturnedDeviceInterface) override;

private:
    std::shared_ptr<const Direct3DSettings> settings_;
};

class Direct3DRecorder {
public:
    Direct3DRecorder();
    // Removes the factory. Fake objects still alive keep working.
    ~Direct3DRecorder();
    Direct3DRecorder(const Direct3DRecorder&) = delete;
    Direct3DRecorder& operator=(const Direct3DRecorder&) = delete;

    // Read when Direct3D objects and devices are created.
    Direct3DSettings& Settings() { return *settings_; }

    // See CallRecorder::Fail: Key is a call name or the start of a call text.
    void Fail(const std::string& Key, HRESULT Result, int Nth = 0) { recorder_->Fail(Key, Result, Nth); }
    void ClearFailures() { recorder_->ClearFailures(); }

    std::vector<RecordedCall> Calls() const { return recorder_->Calls(); }
    std::vector<std::string> Log() const;
    std::vector<std::string> Names() const;
    // The texts of the calls with that name, in order.
    std::vector<std::string> LogOf(const std::string& Name) const;
    void ClearLog() { recorder_->ClearLog(); }
    void KeepLog(bool Keep) { recorder_->KeepLog(Keep); }

    // The device created last, while it lives; nullptr otherwise.
    RecordingDevice* Device() const { return recorder_->Newest<RecordingDevice>(); }
    // Fake Direct3D objects, devices, buffers and textures still alive.
    int LiveObjects() const { return recorder_->LiveObjects(); }
    const std::shared_ptr<CallRecorder>& Recorder() const { return recorder_; }

private:
    std::shared_ptr<CallRecorder> recorder_;
    std::shared_ptr<Direct3DSettings> settings_;
};

}  // namespace fakes
