#include "TkelDXCustomObject.h"

#include "EkelDXError.h"
#include "TkelDXScene.h"
#include "d3dx8.h"

namespace kelDX8 {
namespace {

// D3DXGetErrorStringA is given a buffer of 255 characters.
std::string ResultName(HRESULT result) {
    char buffer[255];
    if (FAILED(D3DXGetErrorStringA(result, buffer, sizeof buffer))) return {};
    return buffer;
}

}  // namespace

const char* TkelDXCustomObject::ClassName() const { return "TkelDXCustomObject"; }

void TkelDXCustomObject::Create(TkelDXScene* NewScene) {
    if (NewScene == nullptr) CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
    Scene = NewScene;
}

bool TkelDXCustomObject::CheckResult(HRESULT Result, const std::string& Message, ResultDescriber DescribeResult,
                                     bool RaiseOnError) const {
    const bool record = Scene && std::this_thread::get_id() == Scene->OwnThread;
    if (SUCCEEDED(Result)) {
        if (record) {
            Scene->ClearLastError();
            Scene->LastError = Result;
            Scene->LastErrorText = ResultName(Result);
            if (DescribeResult) Scene->LastErrorText += std::string(": ") + DescribeResult(Result);
        }
        return true;
    }
    std::string text;
    if (!Message.empty()) text = std::string(ClassName()) + ": " + Message;
    if (DescribeResult) {
        std::string detail = ResultName(Result) + ": " + DescribeResult(Result);
        text = text.empty() ? detail : text + "\r\n\r\n(" + detail + ")";
    }
    if (record) {
        Scene->ClearLastError();
        Scene->LastError = Result;
        Scene->LastErrorText = text;
    }
    if (RaiseOnError) throw EkelDXError(text, Result);
    return false;
}

}  // namespace kelDX8
