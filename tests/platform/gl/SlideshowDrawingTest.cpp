// The photo surface drawn for real: the engine's scene, camera, 50 x 50 multi-map
// and texture placed as the slideshow window places them, a photo loaded with
// LoadFromFile on a loader thread through the OpenGL backend, fitted for its
// size, and the screen read back.
#include <gtest/gtest.h>

#include "GlTestDisplay.h"
#include "Pictures.h"
#include "SlideshowScene.h"
#include "TestPictures.h"

using namespace gltest;
namespace img = lumetta::images;
namespace pics = lumetta::images::testing;

namespace {

// A 5:4 screen: a photo of aspect 0.9 fitted by the slide cycle shows whole,
// with the background around it.
constexpr int kWidth = 640, kHeight = 512;
const e2e::Rgb kBackground{0x10, 0x10, 0x10};

e2e::Rgb Rgb(pics::Colour c) { return {c.r, c.g, c.b}; }

// The screen holds the background at its edges and the photo's four patches,
// upright, inside the box the fit puts it in, with the photo's aspect.
void ExpectPhoto(const e2e::Screenshot& shot, const SlideshowScene::Box& expected, double aspect,
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

// Loads the photo on a loader thread and shows it as the slide cycle does.
void ExpectShown(const std::filesystem::path& photo, double aspect, std::array<pics::Colour, 4> patches,
                 const char* screenshot) {
    SlideshowScene slideshow(kWidth, kHeight);
    ASSERT_EQ(slideshow.LoadOnLoaderThread(photo), "");
    double r = slideshow.ShowLoaded(photo);
    EXPECT_NEAR(r, aspect, 1e-9);
    auto shot = GrabScreen();
    shot.SavePng(e2e::ArtifactFolder() / screenshot);
    ExpectPhoto(shot, slideshow.ExpectedBox(r), aspect, patches);
}

}  // namespace

TEST(SlideshowDrawing, JpegPhotoIsDrawnFittedWithItsPatchesInPlace) {
    pics::TempFolder folder;
    pics::WriteFile(folder / "photo.jpg", pics::WriteJpeg(pics::Quadrants(900, 1000, kPatches)));
    ExpectShown(folder / "photo.jpg", 0.9, kPatches, "slideshow-jpeg.png");
}

TEST(SlideshowDrawing, BmpPhotoIsDrawnFittedWithItsPatchesInPlace) {
    pics::TempFolder folder;
    auto bmp = img::EncodeBmp24(pics::Quadrants(960, 1000, kPatches));
    ASSERT_TRUE(bmp);
    pics::WriteFile(folder / "photo.bmp", bmp.value());
    ExpectShown(folder / "photo.bmp", 0.96, kPatches, "slideshow-bmp.png");
}

// Stored 1000 x 900 with orientation 6 (to be turned a quarter clockwise): shown
// upright, 900 x 1000, the stored left column along the top.
TEST(SlideshowDrawing, JpegWithExifOrientationSixIsDrawnUpright) {
    pics::TempFolder folder;
    pics::JpegRecipe recipe;
    recipe.markers = {pics::ExifMarker({.orientation = 6})};
    pics::WriteFile(folder / "phone.jpg", pics::WriteJpeg(pics::Quadrants(1000, 900, kPatches), recipe));
    ExpectShown(folder / "phone.jpg", 0.9, {kPatches[2], kPatches[0], kPatches[3], kPatches[1]},
                "slideshow-exif6.png");
}
