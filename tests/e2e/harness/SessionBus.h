// A private session bus for tests: a D-Bus daemon of the test's own,
// listening on a socket in a temporary folder, with no services to start on
// demand, so only what the test registers answers on it.
#pragma once

#include "Harness.h"

#include <memory>

namespace e2e {

class SessionBus {
public:
    // Starts the daemon and waits (at most 20 s) until it listens; throws
    // std::runtime_error with the daemon's output when it does not.
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // The address clients connect to, for DBUS_SESSION_BUS_ADDRESS.
    const std::string& address() const { return address_; }
    // DBUS_SESSION_BUS_ADDRESS for programs started with Process.
    std::map<std::string, std::string> Environment() const { return {{"DBUS_SESSION_BUS_ADDRESS", address_}}; }

private:
    TempDir dir_;
    std::string address_;
    std::unique_ptr<Process> daemon_;
};

}  // namespace e2e
