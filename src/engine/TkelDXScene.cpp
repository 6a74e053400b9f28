#include "TkelDXScene.h"

#include <exception>
#include <iterator>
#include <utility>

#include "ApplicationIdleHook.h"
#include "Colors.h"
#include "EngineSwitches.h"
#include "TkelDXCustomInsertObject.h"
#include "d3dx8.h"
#include "entry_points.h"

namespace kelDX8 {
namespace {

struct RenderStateValue {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

struct StageStateValue {
    DWORD stage;
    D3DTEXTURESTAGESTATETYPE state;
    DWORD value;
};

// The fixed states of a new device, in the order they are set. Both colour
// operations stay disabled until a texture selects one.
const RenderStateValue kInitialRenderStates[] = {
    {D3DRS_DITHERENABLE, TRUE},
    {D3DRS_CULLMODE, D3DCULL_NONE},
    {D3DRS_ZENABLE, D3DZB_TRUE},
    {D3DRS_LIGHTING, FALSE},
    {D3DRS_SPECULARENABLE, TRUE},
    {D3DRS_AMBIENT, 0xFF6E6E6E},  // MakeARGB(110, 110, 110, 1.0)
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_MATERIAL},
};

const StageStateValue kInitialStageStates[] = {
    {0, D3DTSS_COLORARG1, D3DTA_DIFFUSE},   {0, D3DTSS_COLORARG2, D3DTA_TEXTURE},
    {0, D3DTSS_COLOROP, D3DTOP_DISABLE},    {1, D3DTSS_COLORARG1, D3DTA_CURRENT},
    {1, D3DTSS_COLORARG2, D3DTA_TEXTURE},   {1, D3DTSS_COLOROP, D3DTOP_DISABLE},
    {0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP}, {0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP},
    {1, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP}, {1, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP},
    {0, D3DTSS_TEXCOORDINDEX, 0},           {1, D3DTSS_TEXCOORDINDEX, 0},
    {0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR},  {0, D3DTSS_MINFILTER, D3DTEXF_LINEAR},
    {0, D3DTSS_MIPFILTER, D3DTEXF_LINEAR},  {1, D3DTSS_MAGFILTER, D3DTEXF_LINEAR},
    {1, D3DTSS_MINFILTER, D3DTEXF_LINEAR},  {1, D3DTSS_MIPFILTER, D3DTEXF_LINEAR},
};

struct FormatPair {
    D3DFORMAT display, backBuffer;
};

const FormatPair kTrueColorFormats[] = {
    {D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8},
    {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8},
};
const FormatPair kHighColorFormats[] = {
    {D3DFMT_R5G6B5, D3DFMT_R5G6B5},
    {D3DFMT_X1R5G5B5, D3DFMT_X1R5G5B5},
    {D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5},
};

// Behaviour flags of the device attempts, from pure hardware to software.
const DWORD kVertexProcessingModes[] = {
    D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE,
    D3DCREATE_HARDWARE_VERTEXPROCESSING,
    D3DCREATE_MIXED_VERTEXPROCESSING,
    D3DCREATE_SOFTWARE_VERTEXPROCESSING,
};

}  // namespace

const char* TkelDXScene::ClassName() const { return "TkelDXScene"; }

// When Create raises, New destroys the scene, whose destructor releases the
// device and the Direct3D interface created so far.
void TkelDXScene::Create(HWND Window, bool FullScreen, D3DSWAPEFFECT SwapEffect, UINT PresentationInterval,
                         UINT MultiSample, UINT Width, UINT Height, bool PreferTrueColor, BYTE VertexProcessing) {
    TkelDXCustomTransform::Create(this);
    BackgroundColor = ColorToARGB(0xFFFFFF, 1.0f);
    WindowHandle = Window;
    PresentWindow = Window;

    Direct3D = ComPtr<IDirect3D8>::Attach(Direct3DCreate8(D3D_SDK_VERSION));
    if (!Direct3D) CheckResult(E_FAIL, "Cant create interface.", DescribeD3DResult, true);

    PresentParameters = {};
    PresentParameters.Windowed = FullScreen ? FALSE : TRUE;
    PresentParameters.hDeviceWindow = Window;
    PresentParameters.EnableAutoDepthStencil = TRUE;
    PresentParameters.AutoDepthStencilFormat = D3DFMT_D16;
    PresentParameters.BackBufferCount = 1;
    PresentParameters.SwapEffect = SwapEffect;
    PresentParameters.BackBufferWidth = Width;
    PresentParameters.BackBufferHeight = Height;
    UINT samples = MultiSample % 17;
    PresentParameters.MultiSampleType =
        samples != 1 && SwapEffect == D3DSWAPEFFECT_DISCARD ? samples : D3DMULTISAMPLE_NONE;

    if (FullScreen) {
        PresentParameters.FullScreen_PresentationInterval = PresentationInterval;
        ChooseFullScreenFormat(PreferTrueColor);
    } else {
        ChooseWindowedFormat();
    }
    CreateDevice(Window, VertexProcessing);

    CapsValid = CheckResult(Device->GetDeviceCaps(&Caps), "Couldnt read device-caps.", DescribeD3DResult,
                            RaiseOnCapsError);
    SetInitialStates();
    Clear();
}

void TkelDXScene::ChooseWindowedFormat() {
    D3DDISPLAYMODE mode{};
    CheckResult(Direct3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), "Cant read display settings.",
                DescribeD3DResult, true);
    PresentParameters.BackBufferFormat = mode.Format;
    if (PresentParameters.BackBufferWidth == 0 && PresentParameters.BackBufferHeight == 0) {
        PresentParameters.BackBufferWidth = mode.Width;
        PresentParameters.BackBufferHeight = mode.Height;
    }
}

void TkelDXScene::ChooseFullScreenFormat(bool PreferTrueColor) {
    auto passes = [this](const FormatPair& pair) {
        return SUCCEEDED(Direct3D->CheckDeviceType(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, pair.display,
                                                   pair.backBuffer, FALSE));
    };
    if (PreferTrueColor) {
        for (const auto& pair : kTrueColorFormats)
            if (passes(pair)) {
                PresentParameters.BackBufferFormat = pair.backBuffer;
                return;
            }
    }
    for (const auto& pair : kHighColorFormats)
        if (passes(pair)) {
            PresentParameters.BackBufferFormat = pair.backBuffer;
            return;
        }
    CheckResult(E_FAIL, "Display/Backbuffer-Format is not supported.", DescribeD3DResult, true);
}

void TkelDXScene::CreateDevice(HWND Window, BYTE VertexProcessing) {
    HRESULT result = E_FAIL;
    for (DWORD attempt = VertexProcessing; attempt < std::size(kVertexProcessingModes); ++attempt) {
        result = Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, Window, kVertexProcessingModes[attempt],
                                        &PresentParameters, Device.put());
        if (SUCCEEDED(result)) break;
    }
    CheckResult(result, "Cant create main device.", DescribeD3DResult, true);
}

void TkelDXScene::SetInitialStates() {
    for (const auto& s : kInitialRenderStates)
        CheckResult(Device->SetRenderState(s.state, s.value), "Cant read/set render state.", DescribeD3DResult,
                    RaiseOnStateError);
    for (const auto& s : kInitialStageStates)
        CheckResult(Device->SetTextureStageState(s.stage, s.state, s.value), "Cant read/set texture state.",
                    DescribeD3DResult, RaiseOnStateError);
}

TkelDXScene::~TkelDXScene() {
    // Leaving the handler installed would call a freed scene on the next idle turn.
    ClearIdleHandlerOf(this);
    IndexBuffer = nullptr;
    VertexBuffer = nullptr;
    DirectInput = nullptr;
    Device = nullptr;
    Direct3D = nullptr;
}

void TkelDXScene::Idle(TkelDXCustomObject* /*Sender*/, bool& Done) {
    Done = false;
    if (Drawing) return;
    ComPtr<IDirect3DDevice8> frameDevice = Device;  // held once for the whole frame
    try {
        DrawFrame();
    } catch (const std::exception& e) {
        Drawing = false;
        Stop();
        if (!OnError) throw;
        OnError(e.what());
    } catch (...) {
        Drawing = false;
        Stop();
        throw;
    }
}

void TkelDXScene::DrawFrame() {
    if (!OnDraw) CheckResult(D3DERR_INVALIDCALL, "No OnDraw-event found.", DescribeD3DResult, true);
    ++FrameCount;
    Drawing = true;
    const char* failure = "Cant begin/end/present scene.";
    CheckResult(Device->BeginScene(), failure, DescribeD3DResult, true);
    try {
        OnDraw(this);
    } catch (...) {
        // A scene left open would make every later BeginScene fail. The failed
        // frame is not presented; the result of this EndScene does not matter.
        Device->EndScene();
        throw;
    }
    CheckResult(Device->EndScene(), failure, DescribeD3DResult, true);
    CheckResult(Device->Present(nullptr, nullptr, PresentWindow, nullptr), failure, DescribeD3DResult, true);
    Drawing = false;
}

void TkelDXScene::ApplyWorldTransform() {
    // Without an inserted object there is no matrix to send.
    if (!CurrentObject)
        CheckResult(D3DERR_INVALIDCALL, "No insert method before draw method.", DescribeD3DResult, true);
    D3DXMATRIX world;
    D3DXMatrixMultiply(&world, &CurrentObject->Matrix, &Matrix);
    CheckResult(Device->SetTransform(D3DTS_WORLD, &world), "Cant get/set transformation.", DescribeD3DResult,
                RaiseOnStateError);
    Changed = false;
}

void TkelDXScene::Clear() {
    CheckResult(Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, BackgroundColor, 1.0f, 0),
                "Cant clear device.", DescribeD3DResult, RaiseOnStateError);
}

void TkelDXScene::CreateBuffers() {
    CheckBufferGrowth();
    BuffersCreated = true;
    if (VertexBufferSize > 0)
        CheckResult(Device->CreateVertexBuffer(VertexBufferSize, 0, VertexFormat, D3DPOOL_DEFAULT, VertexBuffer.put()),
                    "Cant create buffer.", DescribeD3DResult, true);
    if (IndexBufferSize > 0)
        CheckResult(Device->CreateIndexBuffer(IndexBufferSize, 0, Index32 ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
                                              D3DPOOL_DEFAULT, IndexBuffer.put()),
                    "Cant create buffer.", DescribeD3DResult, true);
}

void TkelDXScene::Render() {
    bool done = false;
    Idle(nullptr, done);
}

void TkelDXScene::Run() {
    bool installed = InstallIdleHandler(this, [this](bool& Done) { Idle(nullptr, Done); });
    if (!installed) CheckResult(D3DERR_NOTAVAILABLE, "Cant install idle handler.", DescribeD3DResult, true);
}

void TkelDXScene::Run(TkelDXDrawEvent Handler) {
    OnDraw = std::move(Handler);
    Run();
}

void TkelDXScene::Stop() { ClearIdleHandler(); }

void TkelDXScene::CheckBufferGrowth() {
    if (BuffersCreated)
        CheckResult(D3DERR_INVALIDCALL, "Operation not possible after buffer creation.", DescribeD3DResult, true);
}

void TkelDXScene::RequestVertexBufferSize(UINT Bytes) {
    if (Bytes <= VertexBufferSize) return;
    CheckBufferGrowth();
    VertexBufferSize = Bytes;
}

void TkelDXScene::RequestVertexFormat(DWORD Bits) {
    if ((VertexFormat & Bits) == Bits) return;
    CheckBufferGrowth();
    VertexFormat |= Bits;
}

void TkelDXScene::RequestIndexBufferSize(UINT Bytes) {
    if (Bytes <= IndexBufferSize) return;
    CheckBufferGrowth();
    IndexBufferSize = Bytes;
}

void TkelDXScene::ClearLastError() {
    LastError = 0;
    LastErrorText.clear();
}

}  // namespace kelDX8
