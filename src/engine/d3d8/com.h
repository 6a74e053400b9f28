// Reference-counted interfaces and the counted reference that holds them.
//
// Every device-layer object derives from IUnknown. A ComPtr owns one reference:
// assigning none (nullptr) releases the interface, as the engine expects.
#pragma once

#include <atomic>
#include <utility>

#include "d3d8types.h"

struct IUnknown {
    virtual ULONG AddRef() = 0;
    // Drops one reference; the object deletes itself when the count reaches 0.
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

// Implements the reference count for a backend class. Thread-safe: the loader
// thread and the main thread may hold references to the same texture.
template <typename Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++count_; }
    ULONG Release() override {
        ULONG left = --count_;
        if (left == 0) delete this;
        return left;
    }

private:
    std::atomic<ULONG> count_{1};
};

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already owns (as the out-parameters of
    // Create... calls hand out).
    static ComPtr Attach(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& o) {
        if (this != &o) {
            if (o.p_) o.p_->AddRef();
            reset();
            p_ = o.p_;
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        reset();
        return *this;
    }

    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // Releases the current interface and gives the address to fill with a new
    // reference, for out-parameters: device->CreateTexture(..., tex.put()).
    T** put() {
        reset();
        return &p_;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};
