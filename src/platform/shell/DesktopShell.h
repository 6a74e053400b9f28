// "Open" through the desktop's handlers (QDesktopServices; on X11 desktops
// without their own opener this runs xdg-open).
#pragma once

#include "platform/shell/Shell.h"

namespace shell {

class DesktopShell final : public IShell {
public:
    bool Open(const std::string& target) override;
};

}  // namespace shell
