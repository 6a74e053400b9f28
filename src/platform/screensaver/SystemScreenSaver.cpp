#include "platform/screensaver/DBusScreenSaver.h"
#include "platform/screensaver/ScreenSaver.h"
#include "platform/screensaver/ScreenSaverSet.h"
#include "platform/screensaver/XServerScreenSaver.h"

namespace screensaver {

// The desktop's service governs its own screen locker and blanking; the X
// server blanks on its own in sessions without one, and some desktop services
// leave the server's power saving alone. Both are held for the show.
std::unique_ptr<IScreenSaver> CreateSystemScreenSaver() {
    std::vector<std::unique_ptr<IScreenSaver>> members;
    members.push_back(std::make_unique<DBusScreenSaver>(QDBusConnection::sessionBus()));
    members.push_back(std::make_unique<XServerScreenSaver>());
    return std::make_unique<ScreenSaverSet>(std::move(members));
}

}  // namespace screensaver
