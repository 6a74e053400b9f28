// A connection to the X display of its own, for polling the keyboard and the
// pointer. Xlib normally ends the process when a connection breaks; on this
// connection a break is recorded instead, and the devices report their input as
// lost. Use it from one thread at a time.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

typedef struct _XDisplay Display;

class XConnection {
public:
    // Opens `displayName`, or $DISPLAY when it is empty; nullptr when the
    // display cannot be opened.
    static std::shared_ptr<XConnection> Open(const std::string& displayName = {});
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    Display* display() const { return display_; }
    // Whether the connection broke; every reply after that is meaningless.
    bool Lost() const { return lost_; }

    // The server's key bitmap: bit k % 8 of byte k / 8 is set while keycode k
    // is down. nullopt once the connection broke.
    using KeyBits = std::array<unsigned char, 32>;
    std::optional<KeyBits> QueryKeys();
    static bool IsDown(const KeyBits& keys, unsigned keycode) {
        return keycode < 256 && (keys[keycode / 8] & (1u << (keycode % 8)));
    }

    // The pointer on the root window: position in screen pixels and the core
    // button mask. nullopt once the connection broke.
    struct Pointer {
        int x, y;
        unsigned buttons;
    };
    std::optional<Pointer> QueryPointer();

private:
    explicit XConnection(Display* display);
    static void OnBroken(Display*, void* self);

    Display* display_;
    bool lost_ = false;
};
