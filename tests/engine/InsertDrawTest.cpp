#include "EngineTestSupport.h"
#include "MeshTestSupport.h"

using namespace kelDX8;
using enginetest::ExceptionText;
using enginetest::kInvalidCallDetail;

namespace {

class InsertDrawTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        scene = MakeWindowedScene();
        map = New<TkelDXMultiMap>(scene.get(), 50u, 50u, 36u, DWORD{0x152});
        map->SetPlane({0, 3, 0}, {0, 0, 0}, {4, 0, 0});
        tube = New<TkelDXPolygon>(scene.get(), 8u, 36u, DWORD{0x152});
        tube->BuildDefaultShape();
        scene->CreateBuffers();
        d3d.ClearLog();
    }
    // Runs Draw inside a frame, as the draw handler does.
    void Frame(const std::function<void()>& draw) {
        scene->OnDraw = [&](TkelDXCustomObject*) { draw(); };
        scene->Render();
    }
    std::vector<std::string> FrameCalls() {
        auto names = d3d.Names();
        return {names.begin() + 1, names.end() - 2};  // without BeginScene, EndScene, Present
    }
    std::unique_ptr<TkelDXScene> scene;
    std::unique_ptr<TkelDXMultiMap> map;
    std::unique_ptr<TkelDXPolygon> tube;
};

}  // namespace

TEST_F(InsertDrawTest, AMapUploadsIndicesThenVerticesAndDrawsOneIndexedList) {
    Frame([&] {
        map->Insert();
        map->Draw();
    });
    std::vector<std::string> log = d3d.Log();
    std::vector<std::string> expected = {
        "BeginScene()",
        "SetMaterial({D 0.784314 0.784314 0.784314 0.7, A 0.784314 0.784314 0.784314 0.7, S 0 0 0 0.7, E 0 0 0 "
        "0.7, P 15})",
        "IndexBuffer.Lock(0, 28812, 0)",
        "IndexBuffer.Unlock()",
        "SetIndices(IB1, 0)",
        "VertexBuffer.Lock(0, 90000, 0)",
        "VertexBuffer.Unlock()",
        "SetStreamSource(0, VB1, 36)",
        "SetVertexShader(0x152)",
        "SetTransform(256, [1,0,0,0; 0,1,0,0; 0,0,1,0; 0,0,0,1])",
        "DrawIndexedPrimitive(4, 0, 2500, 0, 4802)",
        "EndScene()",
        "Present(null, null, 0x1234, null)",
    };
    EXPECT_EQ(log, expected);
    auto* vb = Device().StreamSource();
    auto* ib = Device().Indices();
    ASSERT_TRUE(vb && ib);
    EXPECT_EQ(vb->Contents(), map->Vertices);
    std::vector<BYTE> indexBytes = ib->Contents();
    ASSERT_EQ(indexBytes.size(), 28812u);
    EXPECT_EQ(0, std::memcmp(indexBytes.data(), map->Indices.data(), indexBytes.size()));
    EXPECT_FALSE(vb->Locked());
    EXPECT_EQ(scene->CurrentObject, map.get());
    EXPECT_FALSE(map->Changed);
}

TEST_F(InsertDrawTest, APolygonDrawsItsStripWithoutIndices) {
    Frame([&] {
        tube->Insert();
        tube->Draw();
    });
    EXPECT_EQ(FrameCalls(), (std::vector<std::string>{"SetMaterial", "VertexBuffer.Lock", "VertexBuffer.Unlock",
                                                      "SetStreamSource", "SetVertexShader", "SetTransform",
                                                      "DrawPrimitive"}));
    EXPECT_EQ(d3d.LogOf("DrawPrimitive"), std::vector<std::string>{"DrawPrimitive(5, 0, 6)"});
    EXPECT_EQ(d3d.LogOf("VertexBuffer.Lock"), std::vector<std::string>{"VertexBuffer.Lock(0, 288, 0)"});
}

TEST_F(InsertDrawTest, TheWorldMatrixIsSentOnlyAfterAChange) {
    Frame([&] {
        map->Insert();
        map->Draw();
        map->Draw();  // unchanged: no new world matrix
        map->Translate(1, 2, 3);
        map->Draw();
        scene->Scale(2, 2, 2);
        map->Draw();
    });
    auto transforms = d3d.LogOf("SetTransform");
    ASSERT_EQ(transforms.size(), 3u);
    EXPECT_EQ(transforms[1], "SetTransform(256, [1,0,0,0; 0,1,0,0; 0,0,1,0; 1,2,3,1])");
    EXPECT_EQ(transforms[2], "SetTransform(256, [2,0,0,0; 0,2,0,0; 0,0,2,0; 2,4,6,1])");  // object, then scene
    EXPECT_EQ(d3d.LogOf("DrawIndexedPrimitive").size(), 4u);
    EXPECT_FALSE(scene->Changed);
}

TEST_F(InsertDrawTest, AnInvisibleObjectSendsItsMatrixButDrawsNothing) {
    map->Visible = false;
    Frame([&] {
        map->Insert();
        map->Draw();
    });
    EXPECT_EQ(d3d.LogOf("SetTransform").size(), 1u);
    EXPECT_TRUE(d3d.LogOf("DrawIndexedPrimitive").empty());
}

TEST_F(InsertDrawTest, DrawingAnObjectThatWasNotInsertedLastFails) {
    std::string failure;
    scene->OnError = [&](const std::string& message) { failure = message; };
    Frame([&] {
        map->Insert();
        tube->Insert();
        map->Draw();
    });
    EXPECT_EQ(failure, "TkelDXMultiMap: No insert method before draw method.\r\n\r\n" + kInvalidCallDetail);
    EXPECT_TRUE(map->Visible);
    EXPECT_TRUE(d3d.LogOf("DrawIndexedPrimitive").empty());
}

TEST_F(InsertDrawTest, AFailedLockSkipsTheCopyAndTheInsertGoesOn) {
    d3d.Fail("VertexBuffer.Lock", D3DERR_INVALIDCALL);
    Frame([&] {
        map->Insert();
        map->Draw();
    });
    EXPECT_TRUE(d3d.LogOf("VertexBuffer.Unlock").empty());
    EXPECT_EQ(d3d.LogOf("DrawIndexedPrimitive").size(), 1u);
    EXPECT_EQ(Device().StreamSource()->Contents(), std::vector<BYTE>(90000, 0));

    RaiseOnStateError = true;
    EXPECT_EQ(ExceptionText([&] { map->Insert(); }),
              "TkelDXMultiMap: Cant lock/unlock buffer.\r\n\r\n" + kInvalidCallDetail);
}

TEST_F(InsertDrawTest, DeviceRefusalsOfAFrameAreRaisedUnderStateErrors) {
    d3d.Fail("SetMaterial", D3DERR_INVALIDCALL, 1);
    d3d.Fail("DrawIndexedPrimitive", D3DERR_INVALIDCALL, 1);
    Frame([&] {
        map->Insert();
        map->Draw();
    });
    EXPECT_EQ(Device().PresentCount(), 1);
    RaiseOnStateError = true;
    d3d.Fail("DrawIndexedPrimitive", E_FAIL);
    std::string failure;
    scene->OnError = [&](const std::string& message) { failure = message; };
    Frame([&] {
        map->Insert();
        map->Draw();
    });
    EXPECT_EQ(failure, "TkelDXMultiMap: Cant draw.\r\n\r\n(E_FAIL: An undetermined error occurred.)");
}

TEST_F(InsertDrawTest, AFreedObjectIsNoLongerTheCurrentOne) {
    map->Insert();
    map.reset();
    EXPECT_EQ(scene->CurrentObject, nullptr);
}

TEST_F(InsertDrawTest, SetColorReachesTheMaterialOfAnInsertedObject) {
    map->Material.Emissive.a = 0.25f;
    SetColor(map.get(), 7, 0x0000FF);
    SetColor(map.get(), 6, 0xFF0000);
    EXPECT_EQ(map->Material.Emissive.r, 1.0f);
    EXPECT_EQ(map->Material.Emissive.a, 0.25f);
    EXPECT_EQ(map->Material.Diffuse.b, 1.0f);
    EXPECT_EQ(map->Material.Diffuse.r, 0.0f);
    SetColor(map.get(), 1, 0x123456);  // not a scene: nothing
    EXPECT_EQ(scene->BackgroundColor, 0xFFFFFFFFu);
}
