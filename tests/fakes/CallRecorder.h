// The shared core of the recording Direct3D fakes: the call log, the failure
// rules, the configuration the fakes report, and the count of live fake objects.
//
// Call texts are the call's name and its arguments: integers in decimal,
// colours, vertex formats and behaviour flags in hex (0x152), floats as %g,
// handles in hex, fake resources by their names (VB1, IB1, T1), null pointers as
// "null", matrices as [_11,_12,_13,_14; _21,...], for example
//   SetRenderState(137, 0)     SetStreamSource(0, VB1, 36)
//   Clear(0, null, 3, 0xFF101010, 1, 0)     VertexBuffer.Lock(0, 90000, 0)
// The last release of a fake object is logged as Destroyed(VB1).
// Every fake object locks the core's mutex for the length of a call, so a loader
// thread may use the same device as the main thread.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "d3d8.h"

namespace fakes {

struct RecordedCall {
    std::string Name;  // "SetRenderState", "VertexBuffer.Lock"
    std::string Text;  // "SetRenderState(137, 0)"
    HRESULT Result;    // what the fake returned
};

struct Hex {
    DWORD Value;
};

// A fake resource that the log names (VB1, IB1, T1).
class NamedResource {
public:
    virtual ~NamedResource() = default;
    virtual const std::string& Name() const = 0;
};

std::string ArgText(DWORD value);
std::string ArgText(INT value);
std::string ArgText(float value);
std::string ArgText(Hex value);
std::string ArgText(const char* value);
std::string ArgText(const void* handle);
std::string ArgText(const IUnknown* resource);
std::string ArgText(const D3DMATRIX* matrix);
std::string ArgText(const D3DMATERIAL8* material);
std::string ArgText(const D3DRECT* rect);
std::string ArgText(const RECT* rect);

class CallRecorder {
public:
    std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(mutex_); }

    // Logs the call and returns S_OK, or the result of a failure rule that
    // matches it. A fake performs the call only when the result succeeds.
    template <class... Args>
    HRESULT Call(const std::string& name, const Args&... args) {
        std::string text = name + "(";
        bool first = true;
        ((text += (first ? "" : ", ") + ArgText(args), first = false), ...);
        return Record(name, text + ")");
    }
    HRESULT Record(const std::string& name, const std::string& text);
    // Corrects the logged result of the last call when the fake itself refuses
    // it (a lock beyond the end, a draw outside a scene); returns Result.
    HRESULT Returned(HRESULT Result);

    // Calls matching Key fail with Result: every one when Nth is 0, else only
    // the Nth matching call after this rule was set. Key is a call name
    // ("SetRenderState") or, when it contains "(", the start of a call text
    // ("SetRenderState(137,"). The first matching rule wins.
    void Fail(const std::string& Key, HRESULT Result, int Nth);
    void ClearFailures();

    std::vector<RecordedCall> Calls() const;
    void ClearLog();
    // Off: calls are matched against failure rules but not kept (benchmarks).
    void KeepLog(bool keep);

    // VB1, VB2, ...: numbered per prefix.
    std::string NextName(const std::string& prefix);
    void ObjectCreated(NamedResource* object);
    void ObjectDestroyed(NamedResource* object);
    int LiveObjects() const;
    // The live fake object of that name, or of type T created last; nullptr if none.
    NamedResource* Find(const std::string& name) const;
    template <class T>
    T* Newest() const {
        auto lock = Lock();
        for (auto it = live_.rbegin(); it != live_.rend(); ++it)
            if (auto* found = dynamic_cast<T*>(*it)) return found;
        return nullptr;
    }

private:
    struct FailureRule {
        std::string key;
        HRESULT result;
        int nth;
        int seen;
    };
    mutable std::recursive_mutex mutex_;
    std::vector<RecordedCall> calls_;
    std::vector<FailureRule> rules_;
    bool keepLog_ = true;
    std::map<std::string, int> nextNumber_;
    std::vector<NamedResource*> live_;
};

}  // namespace fakes
