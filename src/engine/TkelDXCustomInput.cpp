#include "TkelDXCustomInput.h"

#include "EngineSwitches.h"
#include "TkelDXScene.h"
#include "entry_points.h"

namespace kelDX8 {
namespace {
constexpr DWORD kBackgroundNonExclusive = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;  // 0x0A
}  // namespace

const char* TkelDXCustomInput::ClassName() const { return "TkelDXCustomInput"; }

void TkelDXCustomInput::Create(TkelDXScene* NewScene) {
    TkelDXCustomObject::Create(NewScene);
    InputDevice = nullptr;
    if (!Scene->DirectInput) {
        const d3d8::DirectInputFactory& create = d3d8::DirectInputEntryPoint();
        void* created = nullptr;
        // Without DirectInput on the system there is no input device to offer.
        const HRESULT result = create ? create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr)
                                      : DIERR_DEVICENOTREG;
        auto directInput = ComPtr<IDirectInput8>::Attach(SUCCEEDED(result) ? static_cast<IDirectInput8*>(created)
                                                                           : nullptr);
        CheckResult(result, "Cant create input device.", DescribeDIResult, true);
        Scene->DirectInput = std::move(directInput);
    }
    ++Scene->InputDeviceCount;
    counted_ = true;
}

void TkelDXCustomInput::OpenDevice(REFGUID Device, const char* CreateMessage, const DIDATAFORMAT& Format) {
    CheckResult(Scene->DirectInput->CreateDevice(Device, InputDevice.put(), nullptr), CreateMessage,
                DescribeDIResult, true);
    if (!IsAttached()) CheckResult(DI_NOTATTACHED, "", DescribeDIResult, false);
    CheckResult(InputDevice->SetDataFormat(&Format), "Cant set input data format.", DescribeDIResult, true);
    CheckResult(InputDevice->SetCooperativeLevel(Scene->WindowHandle, kBackgroundNonExclusive),
                "Cant set input cooperation level.", DescribeDIResult, RaiseOnStateError);
    AcquireDevice();
}

TkelDXCustomInput::~TkelDXCustomInput() { Destroy(); }

void TkelDXCustomInput::Destroy() {
    if (InputDevice) {
        CheckResult(InputDevice->Unacquire(), "Cant unacquire input device.", DescribeDIResult, false);
        InputDevice = nullptr;
    }
    if (counted_ && --Scene->InputDeviceCount == 0) Scene->DirectInput = nullptr;
    counted_ = false;
}

bool TkelDXCustomInput::ReadCapabilities() {
    Capabilities = {};
    Capabilities.dwSize = sizeof(DIDEVCAPS);
    return CheckResult(InputDevice->GetCapabilities(&Capabilities), "Cant read input device capabilities.",
                       DescribeDIResult, RaiseOnCapsError);
}

bool TkelDXCustomInput::IsAttached() { return ReadCapabilities() && (Capabilities.dwFlags & DIDC_ATTACHED); }

bool TkelDXCustomInput::AcquireDevice() {
    return CheckResult(InputDevice->Acquire(), "Cant acquire input device.", DescribeDIResult, RaiseOnStateError);
}

bool TkelDXCustomInput::ReadStateOnce(DWORD Size, void* Data) {
    return CheckResult(InputDevice->GetDeviceState(Size, Data), "Cant read device state.", DescribeDIResult,
                       RaiseOnStateError);
}

// A device whose input was lost stays unacquired until an Acquire succeeds; if
// the re-acquire after the loss failed, later reads report DIERR_NOTACQUIRED,
// and re-acquiring then too keeps the device from staying dead for good.
bool TkelDXCustomInput::ReadState(DWORD Size, void* Data) {
    if (ReadStateOnce(Size, Data)) return true;
    ReadFailed();
    const bool unacquired = Scene->LastError == DIERR_INPUTLOST || Scene->LastError == DIERR_NOTACQUIRED;
    return unacquired && AcquireDevice() && ReadStateOnce(Size, Data);
}

}  // namespace kelDX8
