#include "platform/shell/DesktopShell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace shell {

bool DesktopShell::Open(const std::string& target) {
    QString text = QString::fromStdString(target);
    // An absolute path has no scheme; anything else is taken as an address as
    // the user would type it (spaces and the like get encoded).
    QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::TolerantMode);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace shell
