#include "platform/shell/DesktopShellOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace shell {

void DesktopShellOpener::Open(const std::string& target) {
    QString text = QString::fromStdString(target);
    QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::TolerantMode);
    QDesktopServices::openUrl(url);
}

}  // namespace shell
