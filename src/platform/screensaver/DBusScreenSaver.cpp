#include "platform/screensaver/DBusScreenSaver.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QList>
#include <QVariant>

#include <utility>

namespace screensaver {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
// Most desktops serve the interface at the first path; some only at the second.
const QString kPaths[] = {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")};
const QString kApplicationName = QStringLiteral("Lumetta");
const QString kReason = QStringLiteral("Slideshow running");

// Whether the service is there but not at that path. Any other failure (no
// service, no answer in time, no bus) would be the same at the other path, and
// asking again would only double the wait.
bool MissesOnlyThePath(const QDBusMessage& reply) {
    const QDBusError::ErrorType type = QDBusError(reply).type();
    return type == QDBusError::UnknownObject || type == QDBusError::UnknownInterface ||
           type == QDBusError::UnknownMethod;
}

}  // namespace

DBusScreenSaver::DBusScreenSaver(QDBusConnection bus, std::chrono::milliseconds callLimit)
    : bus_(std::move(bus)), callLimitMs_(static_cast<int>(callLimit.count())) {}

DBusScreenSaver::~DBusScreenSaver() { Release(); }

void DBusScreenSaver::SetScreenSaverActive(bool active) {
    if (active)
        Release();
    else if (!held_)
        Inhibit();
}

void DBusScreenSaver::Inhibit() {
    if (!bus_.isConnected()) return;
    for (const QString& path : kPaths) {
        QDBusMessage request = QDBusMessage::createMethodCall(kService, path, kInterface, QStringLiteral("Inhibit"));
        request << kApplicationName << kReason;
        const QDBusMessage reply = bus_.call(request, QDBus::Block, callLimitMs_);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            const QList<QVariant> answer = reply.arguments();
            if (answer.size() == 1 && answer.front().metaType() == QMetaType::fromType<uint>())
                held_ = Inhibition{path, answer.front().toUInt()};
            return;
        }
        if (!MissesOnlyThePath(reply)) return;
    }
}

void DBusScreenSaver::Release() {
    if (!held_) return;
    const Inhibition inhibition = *held_;
    held_.reset();
    // Waited for, within the limit, so the release has reached the service
    // before the window (and perhaps the process) goes away.
    QDBusMessage request =
        QDBusMessage::createMethodCall(kService, inhibition.path, kInterface, QStringLiteral("UnInhibit"));
    request << inhibition.cookie;
    bus_.call(request, QDBus::Block, callLimitMs_);
}

}  // namespace screensaver
