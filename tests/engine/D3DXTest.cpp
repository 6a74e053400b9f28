#include <cmath>
#include <cstring>
#include <numbers>

#include "EngineTestSupport.h"
#include "MatrixExpectations.h"
#include "d3dx8.h"
#include "entry_points.h"

using enginetest::ExpectMatrixNear;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

D3DXMATRIX Counting() {
    D3DXMATRIX m;
    for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = static_cast<float>(i + 1);
    return m;
}

D3DXVECTOR3 Transformed(D3DXVECTOR3 v, const D3DXMATRIX& m) {
    D3DXVec3TransformCoord(&v, &v, &m);
    return v;
}

}  // namespace

TEST(D3DXMatrices, MultiplyIsRowTimesColumnAndMayAliasItsArguments) {
    D3DXMATRIX a = Counting();
    D3DXMatrixMultiply(&a, &a, &a);
    ExpectMatrixNear(a, {90, 100, 110, 120, 202, 228, 254, 280, 314, 356, 398, 440, 426, 484, 542, 600});
}

TEST(D3DXMatrices, TheFirstFactorAppliesFirst) {
    D3DXMATRIX move, grow, product;
    D3DXMatrixTranslation(&move, 1, 2, 3);
    D3DXMatrixScaling(&grow, 2, 2, 2);
    D3DXMatrixMultiply(&product, &move, &grow);  // move, then scale the moved point
    ExpectMatrixNear(product, {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 4, 6, 1});
    D3DXMatrixMultiply(&product, &grow, &move);
    ExpectMatrixNear(product, {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1});
}

TEST(D3DXMatrices, RotationsTurnCounterClockwiseSeenFromThePositiveAxis) {
    D3DXMATRIX m;
    float s = std::sin(0.5f), c = std::cos(0.5f);
    ExpectMatrixNear(*D3DXMatrixRotationX(&m, 0.5f), {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1});
    ExpectMatrixNear(*D3DXMatrixRotationY(&m, 0.5f), {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1});
    ExpectMatrixNear(*D3DXMatrixRotationZ(&m, 0.5f), {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

    D3DXVECTOR3 y = Transformed({1, 0, 0}, *D3DXMatrixRotationZ(&m, kPi / 2));
    EXPECT_NEAR(y.x, 0, 1e-6);
    EXPECT_NEAR(y.y, 1, 1e-6);
}

TEST(D3DXMatrices, RotationAxisNormalisesItsAxis) {
    D3DXMATRIX aboutAxis, aboutZ;
    D3DXVECTOR3 longZ{0, 0, 2};
    D3DXMatrixRotationAxis(&aboutAxis, &longZ, 0.7f);
    D3DXMatrixRotationZ(&aboutZ, 0.7f);
    ExpectMatrixNear(aboutAxis, {aboutZ._11, aboutZ._12, 0, 0, aboutZ._21, aboutZ._22, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

    // A third of a turn about the diagonal carries x onto y.
    D3DXVECTOR3 diagonal{1, 1, 1};
    D3DXMatrixRotationAxis(&aboutAxis, &diagonal, 2 * kPi / 3);
    D3DXVECTOR3 v = Transformed({1, 0, 0}, aboutAxis);
    EXPECT_NEAR(v.x, 0, 1e-6);
    EXPECT_NEAR(v.y, 1, 1e-6);
    EXPECT_NEAR(v.z, 0, 1e-6);
}

TEST(D3DXVectors, NormalizeGivesUnitLengthAndZeroForZero) {
    D3DXVECTOR3 v{3, 0, -4}, out;
    D3DXVec3Normalize(&out, &v);
    EXPECT_FLOAT_EQ(out.x, 0.6f);
    EXPECT_FLOAT_EQ(out.z, -0.8f);
    D3DXVECTOR3 zero{0, 0, 0};
    out = {9, 9, 9};
    D3DXVec3Normalize(&out, &zero);
    EXPECT_EQ(out.x, 0.0f);
    EXPECT_EQ(out.y, 0.0f);
    EXPECT_EQ(out.z, 0.0f);
}

TEST(D3DXVectors, TransformCoordDividesByW) {
    D3DXMATRIX fov;
    D3DXMatrixPerspectiveFovLH(&fov, kPi / 2, 1, 0.1f, 100);
    EXPECT_NEAR(Transformed({0, 0, 0.1f}, fov).z, 0, 1e-6);
    EXPECT_NEAR(Transformed({0, 0, 100}, fov).z, 1, 1e-6);
    D3DXVECTOR3 corner = Transformed({2, 2, 2}, fov);
    EXPECT_NEAR(corner.x, 1, 1e-6);
    EXPECT_NEAR(corner.y, 1, 1e-6);
}

TEST(D3DXViews, LookAtBuildsTheViewBasisInBothHands) {
    D3DXVECTOR3 eye{0, 0, -1.25f}, at{0, 0, -0.25f}, up{0, 1, 0};
    D3DXMATRIX m;
    ExpectMatrixNear(*D3DXMatrixLookAtLH(&m, &eye, &at, &up), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1.25f, 1});
    ExpectMatrixNear(*D3DXMatrixLookAtRH(&m, &eye, &at, &up),
                     {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, -1.25f, 1});

    D3DXVECTOR3 side{3, 0, 0}, origin{0, 0, 0};  // looking along -x from +x
    D3DXMatrixLookAtLH(&m, &side, &origin, &up);
    D3DXVECTOR3 seen = Transformed({0, 0, 0}, m);
    EXPECT_NEAR(seen.z, 3, 1e-6);  // the origin lies 3 ahead
}

TEST(D3DXProjections, PerspectiveBuilders) {
    D3DXMATRIX m;
    ExpectMatrixNear(*D3DXMatrixPerspectiveLH(&m, 4, 2, 1, 11), {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1.1f, 1, 0, 0, -1.1f, 0});
    ExpectMatrixNear(*D3DXMatrixPerspectiveRH(&m, 4, 2, 1, 11),
                     {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.1f, -1, 0, 0, -1.1f, 0});
    ExpectMatrixNear(*D3DXMatrixPerspectiveFovLH(&m, kPi / 2, 2, 0.1f, 100),
                     {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 100 / 99.9f, 1, 0, 0, -10 / 99.9f, 0});
    ExpectMatrixNear(*D3DXMatrixPerspectiveFovRH(&m, kPi / 2, 2, 0.1f, 100),
                     {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -100 / 99.9f, -1, 0, 0, -10 / 99.9f, 0});
    ExpectMatrixNear(*D3DXMatrixPerspectiveOffCenterLH(&m, -1, 3, -2, 2, 1, 11),
                     {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, -0.5f, 0, 1.1f, 1, 0, 0, -1.1f, 0});
    ExpectMatrixNear(*D3DXMatrixPerspectiveOffCenterRH(&m, -1, 3, -2, 2, 1, 11),
                     {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0.5f, 0, -1.1f, -1, 0, 0, -1.1f, 0});
}

TEST(D3DXProjections, OrthographicBuilders) {
    D3DXMATRIX m;
    ExpectMatrixNear(*D3DXMatrixOrthoLH(&m, 4, 2, 1, 11), {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.1f, 0, 0, 0, -0.1f, 1});
    ExpectMatrixNear(*D3DXMatrixOrthoRH(&m, 4, 2, 1, 11), {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -0.1f, 0, 0, 0, -0.1f, 1});
    ExpectMatrixNear(*D3DXMatrixOrthoOffCenterLH(&m, -1, 3, -2, 2, 1, 11),
                     {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.1f, 0, -0.5f, 0, -0.1f, 1});
    ExpectMatrixNear(*D3DXMatrixOrthoOffCenterRH(&m, -1, 3, -2, 2, 1, 11),
                     {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, -0.1f, 0, -0.5f, 0, -0.1f, 1});
}

TEST(D3DXErrorStrings, NamesKnownCodesAndGivesOneTextForTheRest) {
    char buffer[255];
    ASSERT_EQ(D3DXGetErrorStringA(D3DERR_INVALIDCALL, buffer, sizeof buffer), S_OK);
    EXPECT_STREQ(buffer, "D3DERR_INVALIDCALL");
    D3DXGetErrorStringA(E_INVALIDARG, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "E_INVALIDARG");
    D3DXGetErrorStringA(DIERR_INPUTLOST, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "DIERR_INPUTLOST");
    D3DXGetErrorStringA(static_cast<HRESULT>(0x80ABCDEFu), buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "Unknown error");
}

TEST(D3DXErrorStrings, TruncatesToTheBufferAndRefusesNoBuffer) {
    char small[5];
    std::memset(small, 'x', sizeof small);
    D3DXGetErrorStringA(D3DERR_INVALIDCALL, small, sizeof small);
    EXPECT_STREQ(small, "D3DE");
    EXPECT_EQ(D3DXGetErrorStringA(S_OK, nullptr, 10), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXGetErrorStringA(S_OK, small, 0), D3DERR_INVALIDCALL);
}

class D3DXTextures : public enginetest::EngineTest {
protected:
    void TearDown() override { d3d8::SetTextureFileLoader(nullptr); }
};

TEST_F(D3DXTextures, CreateTextureGoesToTheDeviceWithDefaultSizes) {
    auto scene = MakeWindowedScene();
    ComPtr<IDirect3DTexture8> texture;
    ASSERT_EQ(D3DXCreateTexture(scene->Device.get(), D3DX_DEFAULT, 128, D3DX_DEFAULT, 0, D3DFMT_A4R4G4B4,
                                D3DPOOL_MANAGED, texture.put()),
              D3D_OK);
    EXPECT_TRUE(texture);
    EXPECT_EQ(d3d.LogOf("CreateTexture"), std::vector<std::string>{"CreateTexture(256, 128, 0, 0x0, 26, 1)"});
}

TEST_F(D3DXTextures, FileLoadsNeedAnInstalledLoader) {
    auto scene = MakeWindowedScene();
    ComPtr<IDirect3DTexture8> texture;
    EXPECT_EQ(D3DXCreateTextureFromFileA(scene->Device.get(), "a.jpg", texture.put()), D3DERR_NOTAVAILABLE);
    EXPECT_FALSE(texture);
}

TEST_F(D3DXTextures, FileLoadsForwardEveryArgumentToTheLoader) {
    auto scene = MakeWindowedScene();
    d3d8::TextureFileRequest seen{};
    std::string file;
    d3d8::SetTextureFileLoader([&](IDirect3DDevice8* device, const d3d8::TextureFileRequest& request,
                                   D3DXIMAGE_INFO*, IDirect3DTexture8** out) {
        seen = request;
        file = request.FileName;
        return device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, request.Pool, out);
    });
    ComPtr<IDirect3DTexture8> texture;
    ASSERT_EQ(D3DXCreateTextureFromFileA(scene->Device.get(), "photo.jpg", texture.put()), D3D_OK);
    EXPECT_TRUE(texture);
    EXPECT_EQ(file, "photo.jpg");
    EXPECT_EQ(seen.Width, D3DX_DEFAULT);
    EXPECT_EQ(seen.MipLevels, D3DX_DEFAULT);
    EXPECT_EQ(seen.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(seen.ColorKey, 0u);

    ASSERT_EQ(D3DXCreateTextureFromFileExA(scene->Device.get(), "b.bmp", 64, 32, 2, D3DUSAGE_RENDERTARGET,
                                           D3DFMT_UNKNOWN, D3DPOOL_DEFAULT, D3DX_FILTER_LINEAR, D3DX_FILTER_NONE,
                                           0xFF000000, nullptr, nullptr, texture.put()),
              D3D_OK);
    EXPECT_EQ(file, "b.bmp");
    EXPECT_EQ(seen.Width, 64u);
    EXPECT_EQ(seen.Height, 32u);
    EXPECT_EQ(seen.MipLevels, 2u);
    EXPECT_EQ(seen.Usage, D3DUSAGE_RENDERTARGET);
    EXPECT_EQ(seen.Filter, D3DX_FILTER_LINEAR);
    EXPECT_EQ(seen.MipFilter, D3DX_FILTER_NONE);
    EXPECT_EQ(seen.ColorKey, 0xFF000000u);
}
