// Screen-saver inhibition through the desktop's org.freedesktop.ScreenSaver
// service: Inhibit("Lumetta", "Slideshow running") returns a cookie, which
// UnInhibit hands back on release.
#pragma once

#include "platform/screensaver/ScreenSaver.h"

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

namespace screensaver {

class DBusScreenSaver final : public IScreenSaver {
public:
    // Requests go to the service on `bus` (normally the session bus); each
    // one waits at most `callLimit` for its answer.
    explicit DBusScreenSaver(QDBusConnection bus,
                             std::chrono::milliseconds callLimit = std::chrono::seconds(2));
    ~DBusScreenSaver() override;
    DBusScreenSaver(const DBusScreenSaver&) = delete;
    DBusScreenSaver& operator=(const DBusScreenSaver&) = delete;

    void SetScreenSaverActive(bool active) override;

private:
    struct Inhibition {
        QString path;  // where the service answered; the release goes there too
        std::uint32_t cookie;
    };

    void Inhibit();
    void Release();

    QDBusConnection bus_;
    int callLimitMs_;
    std::optional<Inhibition> held_;
};

}  // namespace screensaver
