// The system keyboard layout, Alt key and pointer position as the X server
// sees them, on a display connection of its own.
#pragma once

#include <memory>
#include <string>

#include "SystemKeys.h"
#include "XConnection.h"

class XSystemKeys : public SystemKeys {
public:
    // Connects to `displayName` ($DISPLAY when empty); nullptr when the display
    // cannot be opened.
    static std::unique_ptr<XSystemKeys> Open(const std::string& displayName = {});

    std::optional<std::uint8_t> VirtualKeyTyping(char32_t character) override;
    bool AltDown() override;
    std::optional<ScreenPoint> CursorPosition() override;

private:
    explicit XSystemKeys(std::shared_ptr<XConnection> connection);
    // The X keycode that types `keysym` at the first shift level of the
    // current group; 0 when none does.
    unsigned KeycodeTyping(unsigned long keysym);

    std::shared_ptr<XConnection> connection_;
};
