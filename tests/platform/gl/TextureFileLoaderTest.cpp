// The texture file loader on the real device: sizes for the screen, mip
// chains, upright photos, colour keys, readable failures, and loading on a
// second thread while the main thread draws.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "GlTestSupport.h"
#include "Pictures.h"
#include "TestPictures.h"
#include "platform/gl/TextureFileLoader.h"

using namespace gltest;
namespace img = lumetta::images;
namespace pics = lumetta::images::testing;

namespace {

d3d8::TextureFileRequest DefaultRequest(const std::string& file) {
    return {file.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
            D3DX_DEFAULT, D3DX_DEFAULT, 0};
}

// Level `level` of the texture as an image.
img::BgraImage LevelPixels(IDirect3DTexture8* texture, UINT level = 0) {
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
    img::BgraImage image(desc.Width, desc.Height);
    D3DLOCKED_RECT r;
    EXPECT_EQ(texture->LockRect(level, &r, nullptr, D3DLOCK_READONLY), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y)
        std::memcpy(image.row(y), static_cast<BYTE*>(r.pBits) + y * r.Pitch, image.stride());
    EXPECT_EQ(texture->UnlockRect(level), D3D_OK);
    return image;
}

void ExpectQuadrants(const img::BgraImage& image, std::array<pics::Colour, 4> expected) {
    auto got = pics::QuadrantColours(image);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(pics::Near(got[i], expected[i], 12)) << "quadrant " << i << ": " << got[i];
}

ComPtr<IDirect3DTexture8> Load(IDirect3DDevice8* device, const d3d8::TextureFileRequest& request,
                               D3DXIMAGE_INFO* info = nullptr) {
    ComPtr<IDirect3DTexture8> texture;
    HRESULT hr = gl::LoadTextureFromFile(device, request, info, texture.put());
    EXPECT_EQ(hr, D3D_OK) << gl::LastTextureFileError();
    return texture;
}

}  // namespace

TEST(TextureSize, CoversTheScreenTurnedToThePictureWithoutEnlarging) {
    const img::PictureSize fullHd{1920, 1080};
    EXPECT_EQ(gl::ChooseTextureSize({6000, 4000}, fullHd, 0, 0, 16384), (img::PictureSize{1920, 1280}));
    EXPECT_EQ(gl::ChooseTextureSize({4000, 6000}, fullHd, 0, 0, 16384), (img::PictureSize{1280, 1920}));
    EXPECT_EQ(gl::ChooseTextureSize({6000, 2000}, fullHd, 0, 0, 16384), (img::PictureSize{3240, 1080}))
        << "a panorama keeps the screen's height";
    EXPECT_EQ(gl::ChooseTextureSize({800, 600}, fullHd, 0, 0, 16384), (img::PictureSize{800, 600}));
    EXPECT_EQ(gl::ChooseTextureSize({6000, 4000}, fullHd, 0, 0, 1024), (img::PictureSize{1024, 683}))
        << "never beyond the device's largest texture";
    EXPECT_EQ(gl::ChooseTextureSize({6000, 4000}, fullHd, 512, 256, 16384), (img::PictureSize{512, 256}));
    EXPECT_EQ(gl::ChooseTextureSize({300, 200}, fullHd, 512, D3DX_DEFAULT, 16384), (img::PictureSize{300, 200}));
}

TEST(TextureFileLoader, JpegBecomesAScreenSizedMipmappedTextureWithItsColours) {
    DeviceWindow w;
    pics::TempFolder folder;
    pics::WriteFile(folder / "patches.jpg", pics::WriteJpeg(pics::Quadrants(1280, 960)));
    D3DXIMAGE_INFO info{};
    auto texture = Load(w.device(), DefaultRequest((folder / "patches.jpg").string()), &info);
    ASSERT_TRUE(texture);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 320u) << "the 320 x 240 screen, not the photo's 1280 x 960";
    EXPECT_EQ(desc.Height, 240u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(texture->GetLevelCount(), 9u);
    EXPECT_EQ(info.Width, 1280u);
    EXPECT_EQ(info.Height, 960u);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_JPG);
    ExpectQuadrants(LevelPixels(texture.get()), {pics::kRed, pics::kGreen, pics::kBlue, pics::kWhite});
    ExpectQuadrants(LevelPixels(texture.get(), 3), {pics::kRed, pics::kGreen, pics::kBlue, pics::kWhite});
    EXPECT_TRUE(gl::LastTextureFileError().empty());
}

// Orientation 6: the stored picture is turned a quarter clockwise to be shown.
TEST(TextureFileLoader, ExifOrientationSixIsLoadedUpright) {
    DeviceWindow w;
    pics::TempFolder folder;
    pics::JpegRecipe recipe;
    recipe.markers = {pics::ExifMarker({.orientation = 6})};
    pics::WriteFile(folder / "turned.jpg", pics::WriteJpeg(pics::Quadrants(640, 480), recipe));
    D3DXIMAGE_INFO info{};
    auto texture = Load(w.device(), DefaultRequest((folder / "turned.jpg").string()), &info);
    ASSERT_TRUE(texture);
    EXPECT_EQ(info.Width, 480u);
    EXPECT_EQ(info.Height, 640u);
    auto level = LevelPixels(texture.get());
    EXPECT_EQ(level.width, 240u);
    EXPECT_EQ(level.height, 320u);
    ExpectQuadrants(level, {pics::kBlue, pics::kRed, pics::kWhite, pics::kGreen});
}

TEST(TextureFileLoader, ColourKeyMakesExactlyThatColourTransparent) {
    DeviceWindow w;
    pics::TempFolder folder;
    auto picture = pics::Quadrants(64, 48, {pics::kRed, pics::kGreen, pics::kBlack, pics::kWhite});
    auto bmp = img::EncodeBmp24(picture);
    ASSERT_TRUE(bmp);
    pics::WriteFile(folder / "keyed.bmp", bmp.value());
    std::string file = (folder / "keyed.bmp").string();
    auto request = DefaultRequest(file);
    request.ColorKey = 0xFF000000;
    request.MipLevels = 1;
    D3DXIMAGE_INFO info{};
    auto keyed = Load(w.device(), request, &info);
    ASSERT_TRUE(keyed);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_BMP);
    EXPECT_EQ(keyed->GetLevelCount(), 1u);
    auto pixels = LevelPixels(keyed.get());
    auto argb = [&](std::uint32_t x, std::uint32_t y) {
        const std::uint8_t* p = pixels.row(y) + x * 4;
        return D3DCOLOR(p[3]) << 24 | D3DCOLOR(p[2]) << 16 | D3DCOLOR(p[1]) << 8 | p[0];
    };
    EXPECT_EQ(argb(10, 40), 0x00000000u);
    EXPECT_EQ(argb(10, 10), 0xFFFF0000u);
    EXPECT_EQ(argb(50, 40), 0xFFFFFFFFu);
}

TEST(TextureFileLoader, GivenSizesAndLevelsAreUsed) {
    DeviceWindow w;
    pics::TempFolder folder;
    pics::WriteFile(folder / "p.jpg", pics::WriteJpeg(pics::Quadrants(400, 300)));
    std::string file = (folder / "p.jpg").string();
    auto request = DefaultRequest(file);
    request.Width = 100;
    request.Height = 50;
    request.MipLevels = 2;
    request.Format = D3DFMT_A8R8G8B8;
    auto texture = Load(w.device(), request);
    ASSERT_TRUE(texture);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(1, &desc);
    EXPECT_EQ(desc.Width, 50u);
    EXPECT_EQ(desc.Height, 25u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(texture->GetLevelCount(), 2u);
}

TEST(TextureFileLoader, BadFilesFailWithAReadableReason) {
    DeviceWindow w;
    pics::TempFolder folder;
    auto jpeg = pics::WriteJpeg(pics::Quadrants(256, 256));
    pics::WriteFile(folder / "half.jpg", std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));
    pics::WriteFile(folder / "text.jpg", {'h', 'e', 'l', 'l', 'o'});
    pics::WriteFile(folder / "good.jpg", jpeg);
    auto attempt = [&](const d3d8::TextureFileRequest& request) {
        IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(1);
        HRESULT hr = gl::LoadTextureFromFile(w.device(), request, nullptr, &texture);
        EXPECT_EQ(texture, nullptr);
        return hr;
    };
    std::string half = (folder / "half.jpg").string(), text = (folder / "text.jpg").string(),
                missing = (folder / "none.jpg").string(), good = (folder / "good.jpg").string();
    EXPECT_EQ(attempt(DefaultRequest(half)), D3DXERR_INVALIDDATA);
    EXPECT_FALSE(gl::LastTextureFileError().empty());
    EXPECT_EQ(attempt(DefaultRequest(text)), D3DXERR_INVALIDDATA);
    EXPECT_NE(gl::LastTextureFileError().find("JPEG"), std::string::npos) << gl::LastTextureFileError();
    EXPECT_EQ(attempt(DefaultRequest(missing)), D3DERR_NOTFOUND);
    auto wrongFormat = DefaultRequest(good);
    wrongFormat.Format = D3DFMT_R5G6B5;
    EXPECT_EQ(attempt(wrongFormat), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(gl::LoadTextureFromFile(w.device(), DefaultRequest(good), nullptr, nullptr), D3DERR_INVALIDCALL);
}

// The slideshow's loader thread: decode and upload there, the main thread
// drawing frames all along, then the texture bound and shown by the main thread.
TEST(TextureFileLoader, LoadsOnASecondThreadWhileTheMainThreadDraws) {
    DeviceWindow w;
    auto* d = w.device();
    UseVertexColours(d);
    pics::TempFolder folder;
    pics::WriteFile(folder / "big.jpg", pics::WriteJpeg(pics::Quadrants(2400, 1800)));
    std::string file = (folder / "big.jpg").string();
    const D3DCOLOR grey[1] = {0xFF808080};
    auto shown = MakeTexture(d, 1, 1, grey);
    ASSERT_EQ(d->SetTexture(0, shown.get()), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE), D3D_OK);
    ASSERT_EQ(d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    auto quad = Quad(-1, 1, 1, -1, 0.5f);

    std::atomic<bool> done{false};
    IDirect3DTexture8* loaded = nullptr;
    HRESULT result = E_FAIL;
    std::thread loader([&] {
        // A texture made and released here too, as a replaced slot is.
        const D3DCOLOR one[1] = {0xFFFFFFFF};
        MakeTexture(d, 1, 1, one);
        result = gl::LoadTextureFromFile(d, DefaultRequest(file), nullptr, &loaded);
        done = true;
    });
    int frames = 0;
    bool finished = e2e::WaitUntil(
        [&] {
            EXPECT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
            DrawStrip(d, quad.data(), 4);
            EXPECT_EQ(d->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
            ++frames;
            return done.load();
        },
        e2e::Millis(120000), e2e::Millis(0));
    loader.join();
    ASSERT_TRUE(finished);
    ASSERT_EQ(result, D3D_OK);
    auto texture = ComPtr<IDirect3DTexture8>::Attach(loaded);
    EXPECT_GT(frames, 0);

    ASSERT_EQ(d->SetTexture(0, texture.get()), D3D_OK);
    ASSERT_EQ(d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
    DrawStrip(d, quad.data(), 4);
    auto shot = w.PresentAndGrab();
    shot.SavePng(e2e::ArtifactFolder() / "gl-loaded-on-thread.png");
    EXPECT_TRUE(e2e::Near(shot.At(80, 60), {255, 0, 0}, 12));
    EXPECT_TRUE(e2e::Near(shot.At(240, 60), {0, 255, 0}, 12));
    EXPECT_TRUE(e2e::Near(shot.At(80, 180), {0, 0, 255}, 12));
    EXPECT_TRUE(e2e::Near(shot.At(240, 180), {255, 255, 255}, 12));

    // Released on another thread once unbound.
    ASSERT_EQ(d->SetTexture(0, nullptr), D3D_OK);
    std::thread([t = std::move(texture)]() mutable { t = nullptr; }).join();
}

TEST(TextureFileLoader, TexturesMayOutliveTheirDevice) {
    ComPtr<IDirect3DTexture8> survivor;
    {
        DeviceWindow w;
        const D3DCOLOR one[1] = {0xFF00FF00};
        survivor = MakeTexture(w.device(), 1, 1, one);
    }
    D3DLOCKED_RECT r;
    ASSERT_EQ(survivor->LockRect(0, &r, nullptr, 0), D3D_OK);
    EXPECT_EQ(*static_cast<D3DCOLOR*>(r.pBits), 0xFF00FF00u) << "read back through the upload thread's context";
    EXPECT_EQ(survivor->UnlockRect(0), D3D_OK);
    survivor = nullptr;
}
