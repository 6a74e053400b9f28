// What the show's commands ask of the system keyboard and pointer besides the
// polled input devices. All operations are called on the main thread, answer at
// once from the system's current state, and never raise.
#pragma once

#include <cstdint>
#include <optional>

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

class SystemKeys {
public:
    virtual ~SystemKeys() = default;

    // The virtual-key code under which the engine's keyboard (KeyDown) reads
    // the physical key that types `character` on the current keyboard layout
    // with no modifier held. The layout is looked up afresh on every call, so a
    // layout switched during the show counts at once. nullopt when no key types
    // the character without a modifier (an upper-case letter, a character the
    // layout lacks) or when the system cannot be asked.
    virtual std::optional<std::uint8_t> VirtualKeyTyping(char32_t character) = 0;

    // Whether the system has an Alt key (left or right) down right now; false
    // when the system cannot be asked.
    virtual bool AltDown() = 0;

    // The pointer's position in screen pixels, (0, 0) at the top left of the
    // screen; nullopt when the system cannot be asked.
    virtual std::optional<ScreenPoint> CursorPosition() = 0;
};
