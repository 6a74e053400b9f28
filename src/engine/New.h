// Making engine objects.
//
// An engine object is built in two steps: a C++ constructor that only gives the
// fields their plain defaults, then the class's Create, which runs the object's
// construction sequence on the fully built object. Create therefore reaches the
// most derived override of every virtual operation it calls: the transform's
// Reset runs a camera's Reset, a TkelDXMap's Create builds a multi-map's torus,
// and CheckResult names the object's own class. Each class's Create begins with
// its parent's Create; a class without a Create of its own is made with its
// parent's.
//
// New<T>(arguments of T's Create) is the only way to make one. When Create
// raises, the half-built object is destroyed before the exception leaves New, so
// destructors must cope with an object whose Create stopped part-way.
#pragma once

#include <memory>
#include <utility>

namespace kelDX8 {

template <class T, class... Args>
std::unique_ptr<T> New(Args&&... args) {
    struct Made final : T {
        void Construct(Args&&... a) { T::Create(std::forward<Args>(a)...); }
    };
    auto made = std::make_unique<Made>();
    made->Construct(std::forward<Args>(args)...);
    return made;
}

}  // namespace kelDX8
