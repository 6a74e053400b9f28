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
    const std::string text = ExceptionText(call);
    return text == "no exception" ? std::string() : text.substr(0, text.find("\r\n"));
}

class SceneTest : public EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    void TearDown() override { scene.reset(); }

    std::unique_ptr<kelDX8::TkelDXScene> scene;
};

}  // namespace enginetest
