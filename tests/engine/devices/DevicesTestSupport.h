// What the texture, camera and input tests share: a scene on the recording
// device, and the first line of the message an engine call raises.
#pragma once

#include <functional>
#include <string>

#include "engine/EngineTestSupport.h"

namespace enginetest {

// The part of a raised message before the result's description ("TkelDXTexture:
// No texture loaded, use LoadFromFile before."); "" when nothing was raised.
inline std::string RaisedHeadline(const std::function<void()>& call) {
    try {
        call();
    } catch (const kelDX8::EkelDXError& e) {
        const std::string text = e.what();
        return text.substr(0, text.find("\r\n"));
    }
    return {};
}

class SceneTest : public EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    void TearDown() override { scene.reset(); }

    std::unique_ptr<kelDX8::TkelDXScene> scene;
};

}  // namespace enginetest
