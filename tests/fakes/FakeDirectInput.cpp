#include "FakeDirectInput.h"

#include <cstring>

#include "RecordingResources.h"
#include "VirtualKeyMap.h"
#include "entry_points.h"

namespace fakes {
namespace {

class FakeInputDevice final : public RefCounted<IDirectInputDevice8>, public RecordedObject {
public:
    FakeInputDevice(std::shared_ptr<CallRecorder> recorder, std::shared_ptr<InputScript> script, bool keyboard)
        : RecordedObject(std::move(recorder), keyboard ? "Keyboard" : "Mouse"),
          script_(std::move(script)),
          keyboard_(keyboard),
          kind_(keyboard ? "Keyboard." : "Mouse."),
          dataSize_(keyboard ? 256 : sizeof(DIMOUSESTATE)),
          losses_(script_->Losses) {}

    HRESULT GetCapabilities(DIDEVCAPS* caps) override {
        HRESULT hr = recorder_->Call(kind_ + "GetCapabilities");
        if (FAILED(hr)) return hr;
        if (!caps || caps->dwSize != sizeof(DIDEVCAPS)) return recorder_->Returned(DIERR_INVALIDPARAM);
        caps->dwFlags = script_->Attached ? DIDC_ATTACHED : 0;
        caps->dwAxes = keyboard_ ? 0 : 3;
        caps->dwButtons = keyboard_ ? 128 : 4;
        return hr;
    }

    HRESULT SetDataFormat(const DIDATAFORMAT* format) override {
        const char* name = format == &c_dfDIKeyboard ? "c_dfDIKeyboard" : format == &c_dfDIMouse ? "c_dfDIMouse" : "?";
        HRESULT hr = recorder_->Call(kind_ + "SetDataFormat", name);
        if (FAILED(hr)) return hr;
        if (acquired_) return recorder_->Returned(DIERR_ACQUIRED);
        if (!format || format->dwDataSize != dataSize_) return recorder_->Returned(DIERR_INVALIDPARAM);
        formatSet_ = true;
        return hr;
    }

    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override {
        return recorder_->Call(kind_ + "SetCooperativeLevel", static_cast<const void*>(window), Hex{flags});
    }

    HRESULT Acquire() override {
        HRESULT hr = recorder_->Call(kind_ + "Acquire");
        if (FAILED(hr)) return hr;
        if (!formatSet_) return recorder_->Returned(DIERR_INVALIDPARAM);
        losses_ = script_->Losses;
        if (acquired_) return recorder_->Returned(S_FALSE);
        acquired_ = true;
        return hr;
    }

    HRESULT Unacquire() override {
        HRESULT hr = recorder_->Call(kind_ + "Unacquire");
        if (FAILED(hr)) return hr;
        if (!acquired_) return recorder_->Returned(S_FALSE);
        acquired_ = false;
        return hr;
    }

    HRESULT GetDeviceState(DWORD size, void* data) override {
        HRESULT hr = recorder_->Call(kind_ + "GetDeviceState", size);
        if (FAILED(hr)) return hr;
        if (!data || size != dataSize_) return recorder_->Returned(DIERR_INVALIDPARAM);
        if (losses_ != script_->Losses) {
            acquired_ = false;
            losses_ = script_->Losses;
            return recorder_->Returned(DIERR_INPUTLOST);
        }
        if (!acquired_) return recorder_->Returned(DIERR_NOTACQUIRED);
        if (keyboard_) {
            std::memcpy(data, script_->Keys.data(), 256);
        } else {
            DIMOUSESTATE state{script_->MotionX, script_->MotionY, script_->MotionZ, {}};
            for (int i = 0; i < 4; ++i) state.rgbButtons[i] = script_->Buttons[i] ? 0x80 : 0;
            script_->MotionX = script_->MotionY = script_->MotionZ = 0;
            std::memcpy(data, &state, sizeof state);
        }
        return hr;
    }

private:
    std::shared_ptr<InputScript> script_;
    bool keyboard_;
    std::string kind_;
    DWORD dataSize_;
    int losses_;
    bool formatSet_ = false;
    bool acquired_ = false;
};

class FakeDirectInputObject final : public RefCounted<IDirectInput8>, public RecordedObject {
public:
    FakeDirectInputObject(std::shared_ptr<CallRecorder> recorder, std::shared_ptr<InputScript> script)
        : RecordedObject(std::move(recorder), "DI"), script_(std::move(script)) {}

    HRESULT CreateDevice(REFGUID device, IDirectInputDevice8** created, IUnknown* outer) override {
        const bool keyboard = device == GUID_SysKeyboard, mouse = device == GUID_SysMouse;
        HRESULT hr = recorder_->Call("CreateDevice", keyboard ? "SysKeyboard" : mouse ? "SysMouse" : "?");
        if (created) *created = nullptr;
        if (FAILED(hr)) return hr;
        if (!created || outer) return recorder_->Returned(DIERR_INVALIDPARAM);
        if (!keyboard && !mouse) return recorder_->Returned(DIERR_DEVICENOTREG);
        *created = new FakeInputDevice(recorder_, script_, keyboard);
        return hr;
    }

private:
    std::shared_ptr<InputScript> script_;
};

}  // namespace

FakeDirectInput::FakeDirectInput()
    : recorder_(std::make_shared<CallRecorder>()), script_(std::make_shared<InputScript>()) {
    d3d8::SetDirectInputFactory([recorder = recorder_, script = script_](HINSTANCE, DWORD version, REFIID id,
                                                                         void** created, IUnknown* outer) {
        HRESULT hr = recorder->Call("DirectInput8Create", Hex{version});
        if (created) *created = nullptr;
        if (FAILED(hr)) return hr;
        if (!created || outer) return recorder->Returned(DIERR_INVALIDPARAM);
        if (version != DIRECTINPUT_VERSION) return recorder->Returned(DIERR_OLDDIRECTINPUTVERSION);
        if (id != IID_IDirectInput8A) return recorder->Returned(DIERR_NOINTERFACE);
        *created = static_cast<IDirectInput8*>(new FakeDirectInputObject(recorder, script));
        return hr;
    });
}

FakeDirectInput::~FakeDirectInput() { d3d8::SetDirectInputFactory(nullptr); }

void FakeDirectInput::PressKey(BYTE ScanCode) { script_->Keys[ScanCode] = 0x80; }
void FakeDirectInput::ReleaseKey(BYTE ScanCode) { script_->Keys[ScanCode] = 0; }
void FakeDirectInput::PressVirtualKey(BYTE VirtualKey) { PressKey(ScanCodeOfVirtualKey(VirtualKey)); }
void FakeDirectInput::ReleaseVirtualKey(BYTE VirtualKey) { ReleaseKey(ScanCodeOfVirtualKey(VirtualKey)); }
void FakeDirectInput::ReleaseAllKeys() { script_->Keys.fill(0); }

void FakeDirectInput::MoveMouse(LONG X, LONG Y, LONG Z) {
    script_->MotionX += X;
    script_->MotionY += Y;
    script_->MotionZ += Z;
}

void FakeDirectInput::PressButton(int Button) { script_->Buttons[Button] = true; }
void FakeDirectInput::ReleaseButton(int Button) { script_->Buttons[Button] = false; }

std::vector<std::string> FakeDirectInput::Log() const {
    std::vector<std::string> texts;
    for (const auto& call : recorder_->Calls()) texts.push_back(call.Text);
    return texts;
}

std::vector<std::string> FakeDirectInput::LogOf(const std::string& Name) const {
    std::vector<std::string> texts;
    for (const auto& call : recorder_->Calls())
        if (call.Name == Name) texts.push_back(call.Text);
    return texts;
}

}  // namespace fakes
