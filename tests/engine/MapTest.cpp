#include <cmath>
#include <numbers>

#include "EngineTestSupport.h"
#include "MeshTestSupport.h"

using namespace kelDX8;
using enginetest::ColorOf;
using enginetest::ExceptionText;
using enginetest::kInvalidCallDetail;
using enginetest::NormalOf;
using enginetest::PositionOf;
using enginetest::TexCoordOf;

namespace {

const std::string kTooSmall =
    "TkelDXMultiMap: Map is too small, operation not possible.\r\n\r\n" + enginetest::kInvalidCallDetail;

class MapTest : public enginetest::EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    template <class Map = TkelDXMultiMap>
    std::unique_ptr<Map> Make(UINT columns, UINT rows, UINT size = 36, DWORD format = 0x152) {
        return New<Map>(scene.get(), columns, rows, size, format);
    }
    std::vector<DWORD> Indices(TkelDXIndexedPolygon& map, UINT first, UINT count) {
        std::vector<DWORD> values;
        for (UINT i = first; i < first + count; ++i)
            values.push_back(scene->Index32 ? map.ReadIndex32(i) : map.ReadIndex16(i));
        return values;
    }
    void PhotoPlane(TkelDXMultiMap& map) { map.SetPlane({0, 3, 0}, {0, 0, 0}, {4, 0, 0}); }
    std::unique_ptr<TkelDXScene> scene;
};

}  // namespace

TEST_F(MapTest, ThePhotoSurfaceHasTheseSizes) {
    auto map = Make(50, 50);
    EXPECT_EQ(map->VertexCount, 2500u);
    EXPECT_EQ(map->VertexBytes, 90000u);
    EXPECT_EQ(map->IndexCount, 14406u);
    EXPECT_EQ(map->IndexBytes, 28812u);
    EXPECT_EQ(map->PrimitiveType, D3DPT_TRIANGLELIST);
    EXPECT_EQ(map->PrimitiveCount, 4802u);
    EXPECT_EQ(map->NumVertices, 2500u);
    EXPECT_EQ(scene->VertexBufferSize, 90000u);
    EXPECT_EQ(scene->IndexBufferSize, 28812u);
    EXPECT_EQ(scene->VertexFormat, 0x152u);
}

TEST_F(MapTest, EachCellGivesTwoTrianglesRowByRow) {
    auto map = Make(50, 50);
    EXPECT_EQ(Indices(*map, 0, 6), (std::vector<DWORD>{1, 0, 50, 1, 50, 51}));
    EXPECT_EQ(Indices(*map, 6, 3), (std::vector<DWORD>{2, 1, 51}));
    EXPECT_EQ(Indices(*map, 14400, 6), (std::vector<DWORD>{2449, 2448, 2498, 2449, 2498, 2499}));
    scene->Index32 = true;
    auto wide = Make(3, 2);
    EXPECT_EQ(Indices(*wide, 0, 12), (std::vector<DWORD>{1, 0, 3, 1, 3, 4, 2, 1, 4, 2, 4, 5}));
}

TEST_F(MapTest, APlainCustomMapTakesTheGenericIndices) {
    auto map = Make<TkelDXCustomMap>(3, 3);
    EXPECT_EQ(Indices(*map, 0, 24), (std::vector<DWORD>{1, 0, 3, 2, 1, 4, 4, 3, 6, 5, 4, 7, 0, 0, 0, 0, 0, 0, 0, 0,
                                                        0, 0, 0, 0}));
}

TEST_F(MapTest, SetPlaneSpansTheCornersWithTexturesAndFlatNormals) {
    auto map = Make(50, 50);
    D3DCOLOR before = ColorOf(*map, 1234);
    PhotoPlane(*map);
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(49, 49)), 4, 3, 0);
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(49, 0)), 4, 0, 0);
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(0, 49)), 0, 3, 0);
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(10, 20)), 40.0f / 49, 60.0f / 49, 0);
    TkelDXTexCoord far = TexCoordOf(map->MapVertex(49, 49), 0), right = TexCoordOf(map->MapVertex(49, 0), 0);
    TkelDXTexCoord top = TexCoordOf(map->MapVertex(0, 49), 0);
    EXPECT_EQ(far.U, 1.0f);
    EXPECT_EQ(far.V, 1.0f);
    EXPECT_EQ(right.U, 1.0f);
    EXPECT_EQ(right.V, 0.0f);
    EXPECT_EQ(top.U, 0.0f);
    EXPECT_EQ(top.V, 1.0f);
    for (UINT i = 0; i < map->VertexCount; ++i) EXPECT_VECTOR_NEAR(NormalOf(*map, i), 0, 0, -1);
    EXPECT_EQ(ColorOf(*map, 1234), before);
}

TEST_F(MapTest, GridNormalsAverageTheUnitNormalsOfTheSurroundingTriangles) {
    auto map = Make(3, 2);  // a ridge along the middle column
    for (UINT r = 0; r < 2; ++r)
        for (UINT c = 0; c < 3; ++c)
            record::SetPosition(map->MapVertex(c, r), {float(c), float(r), c == 1 ? 1.0f : 0.0f});
    map->CalcNormals();
    const float h = std::sqrt(0.5f);
    EXPECT_VECTOR_NEAR(record::Normal(map->MapVertex(0, 0)), h, 0, -h);   // a corner: two triangles
    EXPECT_VECTOR_NEAR(record::Normal(map->MapVertex(1, 0)), 0, 0, -h);   // an edge: four, mean not normalised
    EXPECT_VECTOR_NEAR(record::Normal(map->MapVertex(2, 1)), -h, 0, -h);
}

TEST_F(MapTest, WithSpecularColourTexturesStayWhileTheShapeChanges) {
    auto map = Make(4, 4, 40, 0x1D2);
    BYTE* v = map->MapVertex(3, 3);
    std::memset(v + 28, 0xAB, 8);
    map->SetPlane({0, 1, 0}, {0, 0, 0}, {1, 0, 0});
    EXPECT_VECTOR_NEAR(record::Position(v), 1, 1, 0);
    EXPECT_VECTOR_NEAR(record::Normal(v), 0, 0, -1);
    EXPECT_EQ(v[28], 0xAB);
    EXPECT_EQ(v[35], 0xAB);
}

TEST_F(MapTest, ANarrowMapIsOnlyReportedTooSmallUnlessStateErrorsRaise) {
    auto map = Make(1, 5);
    EXPECT_EQ(scene->LastErrorText, kTooSmall);
    EXPECT_EQ(map->IndexCount, 0u);
    scene->ClearLastError();
    map->SetPlane({0, 3, 0}, {0, 0, 0}, {4, 0, 0});
    EXPECT_EQ(scene->LastErrorText, kTooSmall);
    EXPECT_EQ(map->Vertices, std::vector<BYTE>(5 * 36, 0));

    RaiseOnStateError = true;
    EXPECT_EQ(ExceptionText([&] { PhotoPlane(*map); }), kTooSmall);
    EXPECT_EQ(ExceptionText([&] { Make(5, 1); }), kTooSmall);
}

TEST_F(MapTest, ANewMultiMapIsATorusShadingFromYellowToOrange) {
    auto map = Make(50, 50);
    for (UINT c : {0u, 17u, 49u}) {
        EXPECT_EQ(ColorOf(*map, c), 0x00EFEF00u);              // red 239, green 239, alpha 0
        EXPECT_EQ(ColorOf(*map, 49 * 50 + c), 0x00EF4000u);    // green 64 in the last row
    }
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(0, 0)), -1, 0, 0);  // phi = theta = -pi
    map->SetAlpha(0.99f);
    EXPECT_EQ(ColorOf(*map, 0), 0xFCEFEF00u);
}

TEST_F(MapTest, TheTorusClosesOnItself) {
    auto map = Make(5, 5);
    map->SetTorus({1, 2, 3}, 1, 2);
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(2, 2)), 4, 2, 3);  // phi = theta = 0: outer rim
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(0, 0)), 0, 2, 3);
    for (UINT c = 0; c < 5; ++c) {
        D3DVECTOR first = record::Position(map->MapVertex(c, 0)), last = record::Position(map->MapVertex(c, 4));
        EXPECT_VECTOR_NEAR(last, first.x, first.y, first.z);
    }
    TkelDXTexCoord end = TexCoordOf(map->MapVertex(4, 4), 0);
    EXPECT_EQ(end.U, 1.0f);
    EXPECT_EQ(end.V, 1.0f);
}

TEST_F(MapTest, TheRippleOfAPlainMapFollowsTheEngineClock) {
    DWORD savedStart = StartTicks;
    StartTicks = 0;
    SetTickSource([] { return DWORD{500}; });  // a quarter period: phase pi/2
    auto map = Make<TkelDXMap>(5, 5);
    SetTickSource(nullptr);
    StartTicks = savedStart;
    float x = -1.5f, z = -1.5f;
    float y = std::sin(std::sqrt(x * x + z * z) * TwoPi + TwoPi / 4) / 2;
    EXPECT_VECTOR_NEAR(record::Position(map->MapVertex(0, 0)), x, y, z);
    EXPECT_EQ(ColorOf(*map, 0), 0xB2B0D800u);  // alpha 178, red 176, green 216
    EXPECT_EQ(Indices(*map, 0, 3), (std::vector<DWORD>{1, 0, 5}));
    EXPECT_EQ(TexCoordOf(map->MapVertex(4, 4), 0).U, 1.0f);
}

TEST_F(MapTest, MapVertexChecksOnlyTheStartOfTheRecord) {
    auto map = Make(4, 3);
    EXPECT_EQ(map->MapVertex(4, 0), map->MapVertex(0, 1));
    EXPECT_EQ(ExceptionText([&] { map->MapVertex(0, 3); }),
              "TkelDXMultiMap: Index out of range.\r\n\r\n" + kInvalidCallDetail);
    EXPECT_THROW(map->SetVertexColor(0, 3, 0), EkelDXError);
    map->SetVertexColor(1, 1, 0x0000FF);
    EXPECT_EQ(ColorOf(*map, 5) & 0x00FFFFFF, 0x00FF0000u);
}

TEST_F(MapTest, AMapNeedsColumnsAndRows) {
    scene->ClearLastError();
    EXPECT_EQ(ExceptionText([&] { Make(0, 5); }),
              "TkelDXMultiMap: No valid argument.\r\n\r\n(E_INVALIDARG: An invalid parameter was passed.)");
    EXPECT_EQ(scene->LastError, 0);
}

TEST_F(MapTest, MapOperationsNeedTheStandardRecord) {
    const DWORD noNormals = D3DFVF_XYZ | D3DFVF_DIFFUSE;
    EXPECT_EQ(ExceptionText([&] { Make(3, 3, 16, noNormals); }),  // its torus needs normals
              "TkelDXMultiMap: Operation dont work together with that vertex format.\r\n\r\n" + kInvalidCallDetail);
    auto plain = Make<TkelDXCustomMap>(3, 3, 16, noNormals);
    EXPECT_THROW(plain->CalcNormals(), EkelDXError);
    EXPECT_THROW(plain->SetVertexColor(0, 0, 0), EkelDXError);
}
