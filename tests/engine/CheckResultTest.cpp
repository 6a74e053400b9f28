#include "EngineTestSupport.h"

using namespace kelDX8;

namespace {

// A transform that reports its own class name, to see the dynamic name used.
class TkelDXProbe : public TkelDXCustomTransform {
public:
    const char* ClassName() const override { return "TkelDXProbe"; }
};

const char* const kInvalidCall = "The method call is invalid, for example a parameter may be invalid.";

class CheckResultTest : public enginetest::EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    std::unique_ptr<TkelDXScene> scene;
};

}  // namespace

TEST_F(CheckResultTest, RaisedFailureCarriesClassMessageNameAndDescription) {
    auto probe = New<TkelDXProbe>(scene.get());
    try {
        probe->CheckResult(D3DERR_INVALIDCALL, "Cant draw.", DescribeD3DResult, true);
        FAIL() << "no exception";
    } catch (const EkelDXError& e) {
        std::string expected = std::string("TkelDXProbe: Cant draw.\r\n\r\n(D3DERR_INVALIDCALL: ") + kInvalidCall + ")";
        EXPECT_EQ(std::string(e.what()), expected);
        EXPECT_EQ(e.Result(), D3DERR_INVALIDCALL);
        EXPECT_EQ(scene->LastError, D3DERR_INVALIDCALL);
        EXPECT_EQ(scene->LastErrorText, expected);
    }
}

TEST_F(CheckResultTest, MessageAndDescriberAreEachOptional) {
    EXPECT_FALSE(scene->CheckResult(D3DERR_INVALIDCALL, "", DescribeD3DResult, false));
    EXPECT_EQ(scene->LastErrorText, std::string("D3DERR_INVALIDCALL: ") + kInvalidCall);

    EXPECT_FALSE(scene->CheckResult(E_FAIL, "Cant clear device.", nullptr, false));
    EXPECT_EQ(scene->LastErrorText, "TkelDXScene: Cant clear device.");
    EXPECT_EQ(scene->LastError, E_FAIL);

    EXPECT_FALSE(scene->CheckResult(E_FAIL, "", nullptr, false));
    EXPECT_EQ(scene->LastErrorText, "");
}

TEST_F(CheckResultTest, InputResultsUseTheInputDescriber) {
    scene->CheckResult(DIERR_INPUTLOST, "Cant read device state.", DescribeDIResult, false);
    EXPECT_EQ(scene->LastErrorText,
              "TkelDXScene: Cant read device state.\r\n\r\n(DIERR_INPUTLOST: Access to the input device has been "
              "lost. It must be reacquired.)");
}

TEST_F(CheckResultTest, UnknownCodesGetTheFixedTexts) {
    scene->CheckResult(static_cast<HRESULT>(0x80ABCDEFu), "", DescribeD3DResult, false);
    EXPECT_EQ(scene->LastErrorText, std::string("Unknown error: ") + UnknownResultText);
    EXPECT_STREQ(DescribeDIResult(D3DERR_INVALIDCALL), UnknownResultText);
}

TEST_F(CheckResultTest, SuccessIsRecordedWithItsNameWhateverTheMessage) {
    scene->CheckResult(E_FAIL, "Cant clear device.", DescribeD3DResult, false);
    EXPECT_TRUE(scene->CheckResult(S_FALSE, "Cant clear device.", DescribeD3DResult, true));
    EXPECT_EQ(scene->LastError, S_FALSE);
    EXPECT_EQ(scene->LastErrorText, "S_FALSE: The call succeeded but did nothing.");
    EXPECT_TRUE(scene->CheckResult(S_OK, "x", nullptr, true));
    EXPECT_EQ(scene->LastErrorText, "S_OK");
}

TEST_F(CheckResultTest, AnObjectWithoutSceneIsRefusedAndRecordsNothing) {
    scene->ClearLastError();
    try {
        New<TkelDXProbe>(nullptr);
        FAIL() << "no exception";
    } catch (const EkelDXError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "TkelDXProbe: No valid argument.\r\n\r\n(E_INVALIDARG: An invalid parameter was passed.)");
    }
    EXPECT_EQ(scene->LastError, 0);
    EXPECT_EQ(scene->LastErrorText, "");
}
