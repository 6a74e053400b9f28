// The shell "open" request through the desktop's URL handlers.
#pragma once

#include "platform/shell/ShellOpener.h"

namespace shell {

class DesktopShellOpener final : public IShellOpener {
public:
    void Open(const std::string& target) override;
};

}  // namespace shell
