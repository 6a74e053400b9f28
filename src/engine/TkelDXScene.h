// The root of the engine: one scene per window. It owns the Direct3D interface
// and device, the one shared vertex buffer and index buffer that every mesh
// copies its data into, the DirectInput interface that the input devices share,
// and the bookkeeping of active textures, the active camera and the object
// inserted last. It draws frames: begin scene, OnDraw, end scene, present.
//
// As a transform, its Matrix is a global transform applied after every object's
// own matrix. The scene keeps no list of its objects and never frees them: the
// application creates them after the scene and frees them before it.
//
// Calling order: New<TkelDXScene>; cameras, input devices, textures, meshes;
// CreateBuffers; frames by Render (or Run ... Stop); free the objects; free the scene.
// Main thread only.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "TkelDXCustomTransform.h"
#include "d3d8.h"
#include "dinput8.h"

namespace kelDX8 {

class TkelDXCustomCamera;
class TkelDXCustomInsertObject;
class TkelDXTexture;

using TkelDXDrawEvent = std::function<void(TkelDXCustomObject* Sender)>;
using TkelDXErrorEvent = std::function<void(const std::string& Message)>;

constexpr int TextureStageCount = 8;

class TkelDXScene : public TkelDXCustomTransform {
public:
    // Live input devices; when it drops to 0 the DirectInput interface is released.
    LONG InputDeviceCount = 0;
    // After CreateBuffers no buffer request may grow the buffers.
    bool BuffersCreated = false;
    UINT IndexBufferSize = 0;
    // A frame is in progress (Idle's re-entrancy guard).
    bool Drawing = false;
    // Indices are 32-bit (D3DFMT_INDEX32) instead of 16-bit; read by the meshes.
    bool Index32 = false;
    // The union of all meshes' vertex formats.
    DWORD VertexFormat = 0;
    UINT VertexBufferSize = 0;
    D3DCOLOR BackgroundColor = 0xFFFFFFFF;
    D3DCAPS8 Caps{};
    // Caps were read; limit checks against Caps run only when true.
    bool CapsValid = false;
    ComPtr<IDirect3DDevice8> Device;
    LONG FrameCount = 0;
    // Focus window of the device; window of the input devices' cooperative level.
    HWND WindowHandle = nullptr;
    // Destination window passed to Present.
    HWND PresentWindow = nullptr;
    ComPtr<IDirect3DIndexBuffer8> IndexBuffer;
    // Created by the first input device.
    ComPtr<IDirectInput8> DirectInput;
    ComPtr<IDirect3D8> Direct3D;
    // The result of the last call that went through CheckResult on the
    // scene's own thread, and its text. Calls on other threads (a loader
    // filling a texture) raise their errors but leave this record alone.
    HRESULT LastError = 0;
    std::string LastErrorText;
    // The thread that made the scene.
    std::thread::id OwnThread = std::this_thread::get_id();
    TkelDXCustomCamera* ActiveCamera = nullptr;
    // Written on the scene's thread; a loader thread reads them to refuse
    // loading into a bound texture.
    std::atomic<TkelDXTexture*> ActiveTextures[TextureStageCount] = {};
    // The object inserted last; ApplyWorldTransform uses its Matrix.
    TkelDXCustomInsertObject* CurrentObject = nullptr;
    // Called between begin and end of scene with the scene as Sender.
    TkelDXDrawEvent OnDraw;
    // Receives the message of an exception raised while a frame is drawn.
    TkelDXErrorEvent OnError;
    D3DPRESENT_PARAMETERS PresentParameters{};
    ComPtr<IDirect3DVertexBuffer8> VertexBuffer;

    // Releases the buffers, DirectInput, the device and Direct3D, in this order.
    ~TkelDXScene() override;
    const char* ClassName() const override;

    // Draws one frame; the signature of an application idle handler. Done is
    // set to false so that the application calls again at once. Returns at once
    // when a frame is already in progress. A failed frame calls Stop and goes to
    // OnError when assigned, else the exception goes on to the caller.
    virtual void Idle(TkelDXCustomObject* Sender, bool& Done);
    // World := CurrentObject's Matrix x the scene's Matrix; needs an inserted object.
    virtual void ApplyWorldTransform();
    // Clears target and depth buffer with BackgroundColor.
    virtual void Clear();
    // Creates the shared buffers at the requested sizes; only once.
    virtual void CreateBuffers();
    // Draws one frame now: Idle with no sender.
    virtual void Render();
    // Installs Idle as the application's idle handler (see ApplicationIdleHook.h).
    virtual void Run();
    virtual void Run(TkelDXDrawEvent Handler);
    // Removes the application's idle handler, whoever set it.
    virtual void Stop();

    // Called by the mesh constructors before CreateBuffers; a request that would
    // grow a buffer after CreateBuffers raises.
    void RequestVertexBufferSize(UINT Bytes);
    void RequestVertexFormat(DWORD Bits);
    void RequestIndexBufferSize(UINT Bytes);
    void ClearLastError();

protected:
    TkelDXScene() = default;
    // Creates Direct3D and the device for Window and sets the initial states.
    // Width and Height both 0 in a windowed scene mean the screen's size.
    // VertexProcessing is the first mode tried: 0 pure hardware, 1 hardware,
    // 2 mixed, 3 software.
    void Create(HWND Window, bool FullScreen, D3DSWAPEFFECT SwapEffect, UINT PresentationInterval, UINT MultiSample,
                UINT Width, UINT Height, bool PreferTrueColor, BYTE VertexProcessing);

private:
    void ChooseWindowedFormat();
    void ChooseFullScreenFormat(bool PreferTrueColor);
    void CreateDevice(HWND Window, BYTE VertexProcessing);
    void SetInitialStates();
    void DrawFrame();
    void CheckBufferGrowth();
};

}  // namespace kelDX8
