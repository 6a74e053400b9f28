#include "CallRecorder.h"

#include <cstdio>
#include <vector>

namespace fakes {
namespace {

std::string Printed(const char* format, auto... values) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string ColorValueText(const D3DCOLORVALUE& c) {
    return ArgText(c.r) + " " + ArgText(c.g) + " " + ArgText(c.b) + " " + ArgText(c.a);
}

std::string Braced(LONG a, LONG b, LONG c, LONG d) {
    std::string text = "{";
    for (LONG v : {a, b, c, d}) text.append(std::to_string(v)).append(",");
    text.back() = '}';
    return text;
}

bool Matches(const std::string& key, const std::string& name, const std::string& text) {
    if (key == name) return true;
    return key.find('(') != std::string::npos && text.compare(0, key.size(), key) == 0;
}

}  // namespace

std::string ArgText(DWORD value) { return std::to_string(value); }
std::string ArgText(INT value) { return std::to_string(value); }
std::string ArgText(float value) { return Printed("%g", static_cast<double>(value)); }
std::string ArgText(Hex value) { return Printed("0x%X", value.Value); }
std::string ArgText(const char* value) { return value ? std::string("\"") + value + "\"" : "null"; }
std::string ArgText(const void* handle) { return handle ? Printed("%p", handle) : "null"; }

std::string ArgText(const IUnknown* resource) {
    if (!resource) return "null";
    auto* named = dynamic_cast<const NamedResource*>(resource);
    return named ? named->Name() : "foreign";
}

std::string ArgText(const D3DMATRIX* m) {
    if (!m) return "null";
    std::string text = "[";
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            text += ArgText(m->m[row][column]) + (column < 3 ? "," : "");
        text += row < 3 ? "; " : "]";
    }
    return text;
}

std::string ArgText(const D3DMATERIAL8* m) {
    if (!m) return "null";
    return "{D " + ColorValueText(m->Diffuse) + ", A " + ColorValueText(m->Ambient) + ", S " +
           ColorValueText(m->Specular) + ", E " + ColorValueText(m->Emissive) + ", P " + ArgText(m->Power) + "}";
}

std::string ArgText(const D3DRECT* r) { return r ? Braced(r->x1, r->y1, r->x2, r->y2) : "null"; }
std::string ArgText(const RECT* r) { return r ? Braced(r->left, r->top, r->right, r->bottom) : "null"; }

HRESULT CallRecorder::Record(const std::string& name, const std::string& text) {
    auto lock = Lock();
    HRESULT result = S_OK;
    bool decided = false;
    for (auto& rule : rules_) {
        if (!Matches(rule.key, name, text)) continue;
        ++rule.seen;
        if (!decided && (rule.nth == 0 || rule.seen == rule.nth)) {
            result = rule.result;
            decided = true;
        }
    }
    if (keepLog_) calls_.push_back({name, text, result});
    return result;
}

HRESULT CallRecorder::Returned(HRESULT Result) {
    auto lock = Lock();
    if (keepLog_ && !calls_.empty()) calls_.back().Result = Result;
    return Result;
}

void CallRecorder::Fail(const std::string& Key, HRESULT Result, int Nth) {
    auto lock = Lock();
    rules_.push_back({Key, Result, Nth, 0});
}

void CallRecorder::ClearFailures() {
    auto lock = Lock();
    rules_.clear();
}

std::vector<RecordedCall> CallRecorder::Calls() const {
    auto lock = Lock();
    return calls_;
}

void CallRecorder::ClearLog() {
    auto lock = Lock();
    calls_.clear();
}

void CallRecorder::KeepLog(bool keep) {
    auto lock = Lock();
    keepLog_ = keep;
}

std::string CallRecorder::NextName(const std::string& prefix) {
    auto lock = Lock();
    return prefix + std::to_string(++nextNumber_[prefix]);
}

void CallRecorder::ObjectCreated(NamedResource* object) {
    auto lock = Lock();
    live_.push_back(object);
}

void CallRecorder::ObjectDestroyed(NamedResource* object) {
    auto lock = Lock();
    std::erase(live_, object);
}

int CallRecorder::LiveObjects() const {
    auto lock = Lock();
    return static_cast<int>(live_.size());
}

NamedResource* CallRecorder::Find(const std::string& name) const {
    auto lock = Lock();
    for (auto* object : live_)
        if (object->Name() == name) return object;
    return nullptr;
}

}  // namespace fakes
