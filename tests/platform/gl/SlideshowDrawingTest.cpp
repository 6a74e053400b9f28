// The photo surface drawn for real: the engine's scene, camera, 50 x 50 multi-map
// and texture placed as the slideshow window places them, a photo loaded with
// LoadFromFile on a loader thread through the OpenGL backend, fitted for its
// size, and the screen read back.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <thread>

#include "GlTestSupport.h"
#include "Pictures.h"
#include "TestPictures.h"
#include "kelDX8.h"
#include "platform/gl/GlDirect3D.h"

using namespace gltest;
using namespace kelDX8;
namespace img = lumetta::images;
namespace pics = lumetta::images::testing;

namespace {

// A 5:4 screen: a photo of aspect 0.9 fitted by the slide cycle shows whole,
// with the background around it.
constexpr int kWidth = 640, kHeight = 512;
const e2e::Rgb kBackground{0x10, 0x10, 0x10};

// The slideshow window's engine objects, made in its order.
struct PhotoWindow {
    PhotoWindow() {
        TestDisplay(kWidth, kHeight);
        gl::InstallOpenGLBackend();
        RaiseOnStateError = true;
        RaiseOnCameraError = false;
        RaiseOnIndexError = true;
        RaiseOnCapsError = true;
        window = ScreenWindow();
        float w = kWidth, h = kHeight;
        scene = New<TkelDXScene>(static_cast<HWND>(window.get()), false, D3DSWAPEFFECT_DISCARD, 10u, 0u, UINT(kWidth),
                                 UINT(kHeight), true, BYTE{0});
        KeepGlDriverLoaded();
        SetColor(scene.get(), 1, 0x101010);
        camera = New<TkelDXCamera>(scene.get());
        surface = New<TkelDXMultiMap>(scene.get(), 50u, 50u, 36u, DWORD{0x152});
        surface->Translate(0, 0, -depth);
        texture = New<TkelDXTexture>(scene.get());
        scene->CreateBuffers();
        surface->SetPlane({0, 3, 0}, {0, 0, 0}, {3 * w / h, 0, 0});
        surface->RotateX(std::numbers::pi_v<float>);
        surface->Translate(-1.5f * w / h, 1.5f, 0);
        x = -1.5 * w / h;
        y = 1.5;
        surface->Visible = false;
        surface->SetAlpha(0.99f);
        camera->MoveForward(1, -0.25f);
        camera->SetProjectionParameter(1, w / h);
        camera->Activate();
        scene->OnDraw = [this](TkelDXCustomObject*) {
            scene->Clear();
            surface->Insert();
            texture->SetColorStage(D3DTA_CURRENT, D3DTA_TEXTURE, D3DTOP_SELECTARG2);
            texture->SetAlphaStage(D3DTA_DIFFUSE, D3DTA_TEXTURE, D3DTOP_SELECTARG1);
            surface->Draw();
        };
        ShowAndWaitExposed(*window);
    }

    ~PhotoWindow() {
        if (texture->IsActive()) texture->Deactivate();
        texture.reset();
        surface.reset();
        camera.reset();
        scene.reset();
    }

    // Loads the photo on a loader thread while frames go on, binds it and fits
    // the surface to its size as the slide cycle does; returns its aspect.
    double Show(const std::filesystem::path& photo) {
        std::atomic<bool> loaded{false};
        std::string failure;
        std::thread loader([&] {
            try {
                texture->LoadFromFile(photo.string());
            } catch (const std::exception& e) {
                failure = e.what();
            }
            loaded = true;
        });
        bool done = e2e::WaitUntil(
            [&] {
                scene->Render();
                return loaded.load();
            },
            e2e::Millis(60000), e2e::Millis(5));
        loader.join();
        EXPECT_TRUE(done);
        EXPECT_EQ(failure, "");
        texture->Activate();

        auto size = img::ReadPictureSize(photo);
        double pw = size ? size->width : 4, ph = size ? size->height : 3;
        double r = pw / ph, s = double(kWidth) / kHeight;
        surface->SetPlane({0, 3, 0}, {0, 0, 0}, {float(3 * pw / ph), 0, 0});
        surface->Translate(float(-1.5 * r - x), float(1.5 - y), float((r / s - 0.9) - depth));
        depth = r / s - 0.9;
        if (r < 1) {
            surface->Translate(0, 0, 0.5f);
            depth += 0.5;
        }
        x = -1.5 * r;
        y = 1.5;
        surface->Visible = true;
        scene->Render();
        return r;
    }

    // Where the photo lands: the camera at z = -1.25 with a 90-degree field of
    // view sees 2 D units at distance D; the photo is 3 units high, 3 r wide.
    e2e::Screenshot::Box Expected(double r) const {
        double distance = depth + 1.25;
        double height = 3 / (2 * distance) * kHeight, width = height * r;
        return {int(std::lround((kWidth - width) / 2)), int(std::lround((kHeight - height) / 2)),
                int(std::lround((kWidth + width) / 2)) - 1, int(std::lround((kHeight + height) / 2)) - 1};
    }

    std::unique_ptr<QWindow> window;
    std::unique_ptr<TkelDXScene> scene;
    std::unique_ptr<TkelDXCamera> camera;
    std::unique_ptr<TkelDXMultiMap> surface;
    std::unique_ptr<TkelDXTexture> texture;
    double x = 0, y = 0, depth = 0;
};

e2e::Rgb Rgb(pics::Colour c) { return {c.r, c.g, c.b}; }

// The screen holds the background at its edges and the photo's four patches,
// upright, inside the box the fit puts it in, with the photo's aspect.
void ExpectPhoto(const e2e::Screenshot& shot, const e2e::Screenshot::Box& expected, double aspect,
                 std::array<pics::Colour, 4> patches) {
    for (auto [px, py] : {std::pair{0, 0}, {kWidth - 1, 0}, {0, kHeight - 1}, {kWidth - 1, kHeight - 1},
                          {2, kHeight / 2}, {kWidth - 3, kHeight / 2}, {kWidth / 2, 1}, {kWidth / 2, kHeight - 2}})
        EXPECT_TRUE(e2e::Near(shot.At(px, py), kBackground, 2)) << "edge pixel " << px << "," << py;
    auto box = shot.BoundsOfNot(kBackground, 6);
    EXPECT_NEAR(box.left, expected.left, 3);
    EXPECT_NEAR(box.right, expected.right, 3);
    EXPECT_NEAR(box.top, expected.top, 3);
    EXPECT_NEAR(box.bottom, expected.bottom, 3);
    EXPECT_NEAR(double(box.width()) / box.height(), aspect, aspect * 0.01);
    int cx[2] = {box.left + box.width() / 4, box.left + box.width() * 3 / 4};
    int cy[2] = {box.top + box.height() / 4, box.top + box.height() * 3 / 4};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(e2e::Near(shot.At(cx[i % 2], cy[i / 2]), Rgb(patches[i]), 16)) << "patch " << i;
}

const std::array<pics::Colour, 4> kPatches = {pics::kRed, pics::kGreen, pics::kBlue, pics::Colour{0, 220, 220}};

}  // namespace

TEST(SlideshowDrawing, JpegPhotoIsDrawnFittedWithItsPatchesInPlace) {
    PhotoWindow w;
    pics::TempFolder folder;
    pics::WriteFile(folder / "photo.jpg", pics::WriteJpeg(pics::Quadrants(900, 1000, kPatches)));
    double r = w.Show(folder / "photo.jpg");
    auto shot = GrabScreen();
    shot.SavePng(e2e::ArtifactFolder() / "slideshow-jpeg.png");
    ExpectPhoto(shot, w.Expected(r), 0.9, kPatches);
}

TEST(SlideshowDrawing, BmpPhotoIsDrawnFittedWithItsPatchesInPlace) {
    PhotoWindow w;
    pics::TempFolder folder;
    auto bmp = img::EncodeBmp24(pics::Quadrants(960, 1000, kPatches));
    ASSERT_TRUE(bmp);
    pics::WriteFile(folder / "photo.bmp", bmp.value());
    double r = w.Show(folder / "photo.bmp");
    auto shot = GrabScreen();
    shot.SavePng(e2e::ArtifactFolder() / "slideshow-bmp.png");
    ExpectPhoto(shot, w.Expected(r), 0.96, kPatches);
}

// Stored 1000 x 900 with orientation 6 (to be turned a quarter clockwise): shown
// upright, 900 x 1000, the stored left column along the top.
TEST(SlideshowDrawing, JpegWithExifOrientationSixIsDrawnUpright) {
    PhotoWindow w;
    pics::TempFolder folder;
    pics::JpegRecipe recipe;
    recipe.markers = {pics::ExifMarker({.orientation = 6})};
    pics::WriteFile(folder / "phone.jpg", pics::WriteJpeg(pics::Quadrants(1000, 900, kPatches), recipe));
    double r = w.Show(folder / "phone.jpg");
    EXPECT_NEAR(r, 0.9, 1e-9);
    auto shot = GrabScreen();
    shot.SavePng(e2e::ArtifactFolder() / "slideshow-exif6.png");
    ExpectPhoto(shot, w.Expected(r), 0.9, {kPatches[2], kPatches[0], kPatches[3], kPatches[1]});
}
