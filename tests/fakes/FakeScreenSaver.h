// Records every request to the screen saver and holds an inhibition the way
// the real services do: one for any number of false requests, none after true.
#pragma once

#include <vector>

#include "platform/screensaver/ScreenSaver.h"

namespace fakes {

class FakeScreenSaver final : public screensaver::IScreenSaver {
public:
    std::vector<bool> requests;  // each SetScreenSaverActive argument, in order
    bool inhibited = false;

    void SetScreenSaverActive(bool active) override {
        requests.push_back(active);
        inhibited = !active;
    }
};

}  // namespace fakes
