#include "SlideshowScene.h"

#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>

#include "GlTestSupport.h"
#include "Pictures.h"
#include "platform/gl/GlDirect3D.h"

namespace gltest {

using namespace kelDX8;

SlideshowScene::SlideshowScene(int width, int height) : width_(width), height_(height) {
    TestDisplay(width, height);
    gl::InstallOpenGLBackend();
    RaiseOnStateError = true;
    RaiseOnCameraError = false;
    RaiseOnIndexError = true;
    RaiseOnCapsError = true;
    window_ = ScreenWindow();
    float w = static_cast<float>(width), h = static_cast<float>(height);
    scene_ = New<TkelDXScene>(static_cast<HWND>(window_.get()), false, D3DSWAPEFFECT_DISCARD, 10u, 0u, UINT(width),
                              UINT(height), true, BYTE{0});
    SetColor(scene_.get(), 1, 0x101010);
    camera_ = New<TkelDXCamera>(scene_.get());
    surface_ = New<TkelDXMultiMap>(scene_.get(), 50u, 50u, 36u, DWORD{0x152});
    surface_->Translate(0, 0, static_cast<float>(-depth_));
    texture_ = New<TkelDXTexture>(scene_.get());
    scene_->CreateBuffers();
    surface_->SetPlane({0, 3, 0}, {0, 0, 0}, {3 * w / h, 0, 0});
    surface_->RotateX(std::numbers::pi_v<float>);
    surface_->Translate(-1.5f * w / h, 1.5f, 0);
    x_ = -1.5 * w / h;
    y_ = 1.5;
    surface_->Visible = false;
    surface_->SetAlpha(0.99f);
    camera_->MoveForward(1, -0.25f);
    camera_->SetProjectionParameter(1, w / h);
    camera_->Activate();
    scene_->OnDraw = [this](TkelDXCustomObject*) {
        scene_->Clear();
        surface_->Insert();
        texture_->SetColorStage(D3DTA_CURRENT, D3DTA_TEXTURE, D3DTOP_SELECTARG2);
        texture_->SetAlphaStage(D3DTA_DIFFUSE, D3DTA_TEXTURE, D3DTOP_SELECTARG1);
        surface_->Draw();
    };
    ShowAndWaitExposed(*window_);
}

SlideshowScene::~SlideshowScene() {
    if (texture_->IsActive()) texture_->Deactivate();
    texture_.reset();
    surface_.reset();
    camera_.reset();
    scene_.reset();
}

std::string SlideshowScene::LoadOnLoaderThread(const std::filesystem::path& photo) {
    std::atomic<bool> loaded{false};
    std::string failure;
    std::thread loader([&] {
        try {
            texture_->LoadFromFile(photo.string());
        } catch (const std::exception& e) {
            failure = e.what();
        }
        loaded = true;
    });
    bool done = e2e::WaitUntil(
        [&] {
            scene_->Render();
            return loaded.load();
        },
        e2e::Millis(60000), e2e::Millis(0));
    loader.join();
    return done ? failure : "the loader did not finish";
}

double SlideshowScene::ShowLoaded(const std::filesystem::path& photo) {
    BindTexture();
    double r = FitSurface(photo);
    scene_->Render();
    return r;
}

void SlideshowScene::BindTexture() { texture_->Activate(); }

double SlideshowScene::FitSurface(const std::filesystem::path& photo) {
    auto size = lumetta::images::ReadPictureSize(photo);
    double pw = size ? size->width : 4, ph = size ? size->height : 3;
    double r = pw / ph, s = static_cast<double>(width_) / height_;
    surface_->SetPlane({0, 3, 0}, {0, 0, 0}, {static_cast<float>(3 * r), 0, 0});
    surface_->Translate(static_cast<float>(-1.5 * r - x_), static_cast<float>(1.5 - y_),
                        static_cast<float>((r / s - 0.9) - depth_));
    depth_ = r / s - 0.9;
    if (r < 1) {
        surface_->Translate(0, 0, 0.5f);
        depth_ += 0.5;
    }
    x_ = -1.5 * r;
    y_ = 1.5;
    surface_->Visible = true;
    return r;
}

void SlideshowScene::FreeTexture() {
    if (texture_->IsActive()) texture_->Deactivate();
    texture_->Unload();
}

// The camera at z = -1.25 with a 90-degree field of view sees 2 D units at
// distance D; the photo is 3 units high and 3 r wide.
SlideshowScene::Box SlideshowScene::ExpectedBox(double aspect) const {
    double distance = depth_ + 1.25;
    double height = 3 / (2 * distance) * height_, width = height * aspect;
    return {static_cast<int>(std::lround((width_ - width) / 2)), static_cast<int>(std::lround((height_ - height) / 2)),
            static_cast<int>(std::lround((width_ + width) / 2)) - 1,
            static_cast<int>(std::lround((height_ + height) / 2)) - 1};
}

}  // namespace gltest
