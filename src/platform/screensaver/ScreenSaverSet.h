// Several screen-saver services driven as one: every request goes to each of
// them, in order. Each keeps its own inhibition, so one that fails does not
// keep the others from holding theirs.
#pragma once

#include "platform/screensaver/ScreenSaver.h"

#include <memory>
#include <utility>
#include <vector>

namespace screensaver {

class ScreenSaverSet final : public IScreenSaver {
public:
    explicit ScreenSaverSet(std::vector<std::unique_ptr<IScreenSaver>> members) : members_(std::move(members)) {}

    void SetScreenSaverActive(bool active) override {
        for (const auto& member : members_) member->SetScreenSaverActive(active);
    }

private:
    std::vector<std::unique_ptr<IScreenSaver>> members_;
};

}  // namespace screensaver
