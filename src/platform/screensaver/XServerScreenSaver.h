// The X server's own screen saver and display power saving, which blank a bare
// X session after some idle minutes whatever a desktop service says. Suspended
// through the MIT-SCREEN-SAVER extension on a display connection of this
// service's own: the server lifts the suspension when that connection closes,
// so a process that dies releases it too.
#pragma once

#include "platform/screensaver/ScreenSaver.h"

#include <memory>
#include <string>

class XConnection;

namespace screensaver {

class XServerScreenSaver final : public IScreenSaver {
public:
    // `displayName` empty: the display in $DISPLAY.
    explicit XServerScreenSaver(std::string displayName = {});
    ~XServerScreenSaver() override;

    void SetScreenSaverActive(bool active) override;

private:
    std::string displayName_;
    std::shared_ptr<XConnection> suspending_;  // open exactly while the suspension is held
};

}  // namespace screensaver
