// The show's help and settings windows as a test sees them: counted, never on
// screen.
#pragma once

#include "slideshow/ShowDialogs.h"

namespace fakes {

struct FakeShowDialogs final : IShowDialogs {
    int helps = 0, settings = 0;
    bool AnyVisible() override { return false; }
    void ShowHelp(const EnableWindow&) override { ++helps; }
    void ShowSettings(const EnableWindow&) override { ++settings; }
};

}  // namespace fakes
