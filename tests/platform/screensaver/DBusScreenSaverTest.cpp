#include "platform/screensaver/DBusScreenSaver.h"

#include "SessionBus.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QThread>

#include <mutex>
#include <string>
#include <vector>

namespace {

using screensaver::DBusScreenSaver;

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kLongPath = QStringLiteral("/org/freedesktop/ScreenSaver");

struct Inhibit {
    std::string path, application, reason;
    bool operator==(const Inhibit&) const = default;
};

void PrintTo(const Inhibit& i, std::ostream* out) { *out << i.path << " (" << i.application << ", " << i.reason << ")"; }

// The desktop's screen-saver service at one path, on a bus connection of its
// own. It answers on `thread`: the main thread is blocked in the call it answers.
class ScreenSaverService final : public QDBusVirtualObject {
public:
    ScreenSaverService(const std::string& address, const QString& path, QThread& thread)
        : connection_(QDBusConnection::connectToBus(QString::fromStdString(address), QStringLiteral("service"))) {
        moveToThread(&thread);
        if (!connection_.registerVirtualObject(path, this) || !connection_.registerService(kService))
            ADD_FAILURE() << "the test service could not register on the private bus";
    }
    ~ScreenSaverService() override {
        connection_.unregisterService(kService);
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    }

    std::vector<Inhibit> Inhibits() const {
        std::lock_guard lock(mutex_);
        return inhibits_;
    }
    std::vector<uint> UnInhibits() const {
        std::lock_guard lock(mutex_);
        return unInhibits_;
    }
    uint LastCookie() const {
        std::lock_guard lock(mutex_);
        return nextCookie_ - 1;
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != kService) return false;
        const QList<QVariant> args = message.arguments();
        std::lock_guard lock(mutex_);
        if (message.member() == QStringLiteral("Inhibit") && args.size() == 2) {
            inhibits_.push_back({message.path().toStdString(), args[0].toString().toStdString(),
                                 args[1].toString().toStdString()});
            return connection.send(message.createReply(QVariant::fromValue(nextCookie_++)));
        }
        if (message.member() == QStringLiteral("UnInhibit") && args.size() == 1) {
            unInhibits_.push_back(args[0].toUInt());
            return connection.send(message.createReply());
        }
        return false;
    }
    QString introspect(const QString&) const override { return {}; }

private:
    QDBusConnection connection_;
    mutable std::mutex mutex_;
    std::vector<Inhibit> inhibits_;
    std::vector<uint> unInhibits_;
    uint nextCookie_ = 7001;
};

class DBusScreenSaverTest : public ::testing::Test {
protected:
    DBusScreenSaverTest() : client_(QDBusConnection::connectToBus(QString::fromStdString(bus_.address()), "client")) {
        serviceThread_.start();
    }
    ~DBusScreenSaverTest() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        serviceThread_.quit();
        if (!serviceThread_.wait(QDeadlineTimer(10000))) ADD_FAILURE() << "the service thread did not end";
    }

    e2e::SessionBus bus_;
    QDBusConnection client_;
    QThread serviceThread_;
};

TEST_F(DBusScreenSaverTest, HoldsOneInhibitionAndHandsItsCookieBackOnRelease) {
    ScreenSaverService service(bus_.address(), kLongPath, serviceThread_);
    DBusScreenSaver saver(client_);
    saver.SetScreenSaverActive(false);
    saver.SetScreenSaverActive(false);
    EXPECT_EQ(service.Inhibits(),
              (std::vector<Inhibit>{{kLongPath.toStdString(), "Lumetta", "Slideshow running"}}));
    EXPECT_TRUE(service.UnInhibits().empty());

    saver.SetScreenSaverActive(true);
    saver.SetScreenSaverActive(true);
    EXPECT_EQ(service.UnInhibits(), std::vector<uint>{service.LastCookie()});

    // A new show inhibits afresh.
    saver.SetScreenSaverActive(false);
    EXPECT_EQ(service.Inhibits().size(), 2u);
}

TEST_F(DBusScreenSaverTest, ReleaseWithoutInhibitionSendsNothingAndDestructionReleases) {
    ScreenSaverService service(bus_.address(), kLongPath, serviceThread_);
    {
        DBusScreenSaver saver(client_);
        saver.SetScreenSaverActive(true);
        EXPECT_TRUE(service.Inhibits().empty());
        EXPECT_TRUE(service.UnInhibits().empty());
        saver.SetScreenSaverActive(false);
    }
    EXPECT_EQ(service.UnInhibits(), std::vector<uint>{service.LastCookie()});
}

TEST_F(DBusScreenSaverTest, FindsAServiceThatLivesAtTheShortPath) {
    ScreenSaverService service(bus_.address(), QStringLiteral("/ScreenSaver"), serviceThread_);
    DBusScreenSaver saver(client_);
    saver.SetScreenSaverActive(false);
    EXPECT_EQ(service.Inhibits(), (std::vector<Inhibit>{{"/ScreenSaver", "Lumetta", "Slideshow running"}}));
    saver.SetScreenSaverActive(true);
    EXPECT_EQ(service.UnInhibits(), std::vector<uint>{service.LastCookie()});
}

TEST_F(DBusScreenSaverTest, WithoutAServiceHoldsNothingAndAsksAgainNextTime) {
    DBusScreenSaver saver(client_);
    saver.SetScreenSaverActive(false);  // the bus answers at once that nobody serves the name
    saver.SetScreenSaverActive(true);

    ScreenSaverService service(bus_.address(), kLongPath, serviceThread_);
    EXPECT_TRUE(service.UnInhibits().empty()) << "nothing was held, so nothing is released";
    saver.SetScreenSaverActive(false);
    EXPECT_EQ(service.Inhibits().size(), 1u);
}

}  // namespace
