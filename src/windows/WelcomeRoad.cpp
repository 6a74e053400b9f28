#include "windows/WelcomeRoad.h"

#include <QCoreApplication>

#include "platform/registry/IniRegistry.h"
#include "platform/shell/DesktopShell.h"
#include "windows/FirstInfo.h"

void RunWelcomeWindow() {
    registry::IniRegistry registry;
    shell::DesktopShell shell;
    TfrmFirstInfo welcome(registry, shell, QCoreApplication::applicationDirPath());
    welcome.exec();
}
