#include "SessionBus.h"

#include <stdexcept>

namespace e2e {

SessionBus::SessionBus() {
    address_ = "unix:path=" + (dir_ / "bus").string();
    WriteFile(dir_ / "bus.conf",
              "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
              "<busconfig>\n"
              "  <type>session</type>\n"
              "  <listen>" + address_ + "</listen>\n"
              "  <auth>EXTERNAL</auth>\n"
              "  <policy context=\"default\">\n"
              "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
              "    <allow eavesdrop=\"true\"/>\n"
              "    <allow own=\"*\"/>\n"
              "  </policy>\n"
              "</busconfig>\n");
    daemon_ = std::make_unique<Process>(
        std::vector<std::string>{"/usr/bin/dbus-daemon", "--config-file=" + (dir_ / "bus.conf").string(),
                                 "--print-address", "--nofork"},
        std::map<std::string, std::string>{{"DBUS_SESSION_BUS_ADDRESS", ""}, {"DISPLAY", ""}}, dir_.path());
    // The address is printed once the daemon listens.
    if (!daemon_->WaitForOutput(address_, 20s) || !daemon_->Running())
        throw std::runtime_error("the session bus did not start: " + daemon_->Output());
}

SessionBus::~SessionBus() { daemon_.reset(); }

}  // namespace e2e
