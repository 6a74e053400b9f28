// Shared set-up of the engine tests: the recording Direct3D, the idle hook, a
// clean set of engine switches, and the slideshow's kind of scene.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "FakeIdleHook.h"
#include "RecordingDirect3D.h"
#include "kelDX8.h"

namespace enginetest {

inline HWND TestWindow() { return reinterpret_cast<HWND>(0x1234); }

inline const std::string kInvalidCallDetail =
    "(D3DERR_INVALIDCALL: The method call is invalid, for example a parameter may be invalid.)";
inline const std::string kNotAvailableDetail =
    "(D3DERR_NOTAVAILABLE: This device does not support the queried technique.)";

// The message of the engine exception that Action raises, or "no exception".
inline std::string ExceptionText(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const kelDX8::EkelDXError& e) {
        return e.what();
    }
    return "no exception";
}

// Restores the four engine switches to the engine's defaults around a test.
struct DefaultSwitches {
    DefaultSwitches() { Restore(); }
    ~DefaultSwitches() { Restore(); }
    static void Restore() {
        kelDX8::RaiseOnStateError = false;
        kelDX8::RaiseOnCameraError = false;
        kelDX8::RaiseOnIndexError = true;
        kelDX8::RaiseOnCapsError = false;
    }
};

class EngineTest : public ::testing::Test {
protected:
    // A windowed scene as the slideshow makes it, with the screen's size.
    std::unique_ptr<kelDX8::TkelDXScene> MakeWindowedScene(BYTE vertexProcessing = 0) {
        return kelDX8::New<kelDX8::TkelDXScene>(TestWindow(), false, D3DSWAPEFFECT_DISCARD, 10u, 0u, 0u, 0u, true,
                                                vertexProcessing);
    }
    std::unique_ptr<kelDX8::TkelDXScene> MakeFullScreenScene(bool preferTrueColor) {
        return kelDX8::New<kelDX8::TkelDXScene>(TestWindow(), true, D3DSWAPEFFECT_DISCARD, 10u, 0u, 640u, 480u,
                                                preferTrueColor, BYTE{0});
    }
    fakes::RecordingDevice& Device() {
        auto* device = d3d.Device();
        if (!device) throw std::logic_error("no recording device alive");
        return *device;
    }

    DefaultSwitches switches;
    fakes::Direct3DRecorder d3d;
    fakes::FakeIdleHook idle;
};

}  // namespace enginetest
