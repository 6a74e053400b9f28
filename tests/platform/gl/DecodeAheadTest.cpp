// The first photo's head start: taken by the load it was made for, and never
// by a load of another file or for another screen size.
#include <gtest/gtest.h>

#include "GlTestSupport.h"
#include "TestPictures.h"
#include "platform/gl/DecodeAhead.h"
#include "platform/gl/TextureFileLoader.h"

using namespace gltest;
namespace img = lumetta::images;
namespace pics = lumetta::images::testing;

namespace {

constexpr img::PictureSize kScreen{320, 240};  // the test display's
img::PictureSize TestScreen() { return kScreen; }
img::PictureSize LargeScreen() { return {1920, 1080}; }

void ExpectQuadrants(const img::BgraImage& image, std::array<pics::Colour, 4> expected) {
    auto got = pics::QuadrantColours(image);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(pics::Near(got[i], expected[i], 12)) << "quadrant " << i << ": " << got[i];
}

// Level 0 of the texture loaded from `file` with the defaults, as an image.
img::BgraImage LoadedPixels(IDirect3DDevice8* device, const std::string& file) {
    d3d8::TextureFileRequest request{file.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                     D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0};
    ComPtr<IDirect3DTexture8> texture;
    EXPECT_EQ(gl::LoadTextureFromFile(device, request, nullptr, texture.put()), D3D_OK) << gl::LastTextureFileError();
    if (!texture) return img::BgraImage(0, 0);
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    img::BgraImage image(desc.Width, desc.Height);
    D3DLOCKED_RECT r;
    EXPECT_EQ(texture->LockRect(0, &r, nullptr, D3DLOCK_READONLY), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y)
        std::memcpy(image.row(y), static_cast<BYTE*>(r.pBits) + y * r.Pitch, image.stride());
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    return image;
}

const std::array<pics::Colour, 4> kFirst{pics::kRed, pics::kGreen, pics::kBlue, pics::kWhite};
const std::array<pics::Colour, 4> kOther{pics::kWhite, pics::kBlue, pics::kGreen, pics::kRed};

}  // namespace

TEST(DecodeAhead, GivesItsPictureOnceToItsFileAtItsSize) {
    pics::TempFolder folder;
    const std::string file = (folder / "first.jpg").string();
    pics::WriteFile(file, pics::WriteJpeg(pics::Quadrants(1280, 960, kFirst)));

    gl::DecodeAhead ahead(file, TestScreen);
    EXPECT_FALSE(gl::TakeDecodedAhead(file, {400, 300})) << "another size ends the head start unused";
    EXPECT_FALSE(gl::TakeDecodedAhead(file, kScreen));

    gl::DecodeAhead again(file, TestScreen);
    EXPECT_TRUE(gl::IsDecodingAhead(file));
    EXPECT_FALSE(gl::IsDecodingAhead(file + ".other"));
    auto picture = gl::TakeDecodedAhead(file, kScreen);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image.size(), kScreen);
    EXPECT_EQ(picture->uprightSize, (img::PictureSize{1280, 960}));
    ExpectQuadrants(picture->image, kFirst);
    EXPECT_FALSE(gl::TakeDecodedAhead(file, kScreen)) << "taken once";
    EXPECT_FALSE(gl::IsDecodingAhead(file));

    gl::DecodeAhead forLargerScreen(file, LargeScreen);
    auto smaller = gl::TakeDecodedAhead(file, kScreen);
    ASSERT_TRUE(smaller) << "a picture for a larger screen is brought down to the texture size";
    EXPECT_EQ(smaller->image.size(), kScreen);
    ExpectQuadrants(smaller->image, kFirst);

    gl::DecodeAhead withoutScreen(file, [] { return img::PictureSize{}; });
    EXPECT_FALSE(gl::TakeDecodedAhead(file, kScreen));
}

TEST(DecodeAhead, LoadsOfOtherFilesAndScreensDecodeTheirOwnPicture) {
    DeviceWindow w;
    pics::TempFolder folder;
    const std::string first = (folder / "first.jpg").string(), other = (folder / "other.jpg").string();
    pics::WriteFile(first, pics::WriteJpeg(pics::Quadrants(1280, 960, kFirst)));
    pics::WriteFile(other, pics::WriteJpeg(pics::Quadrants(1280, 960, kOther)));

    {
        gl::DecodeAhead ahead(first, TestScreen);
        ExpectQuadrants(LoadedPixels(w.device(), other), kOther);
        ExpectQuadrants(LoadedPixels(w.device(), first), kFirst);
    }
    {
        gl::DecodeAhead ahead(first, LargeScreen);  // the X screen's, larger than the device's monitor
        img::BgraImage loaded = LoadedPixels(w.device(), first);
        EXPECT_EQ(loaded.size(), kScreen);
        ExpectQuadrants(loaded, kFirst);
    }
    {
        gl::DecodeAhead ahead(first, TestScreen);
        ExpectQuadrants(LoadedPixels(w.device(), first), kFirst);
    }
}

TEST(DecodeAhead, ADamagedFileIsLeftToTheLoaderToReport) {
    DeviceWindow w;
    pics::TempFolder folder;
    const std::string half = (folder / "half.jpg").string();
    auto jpeg = pics::WriteJpeg(pics::Quadrants(256, 256));
    pics::WriteFile(half, std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));

    gl::DecodeAhead ahead(half, TestScreen);
    d3d8::TextureFileRequest request{half.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                     D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0};
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(gl::LoadTextureFromFile(w.device(), request, nullptr, &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);
    EXPECT_FALSE(gl::LastTextureFileError().empty());
}
