#include "platform/instance/LocalSocketRegistration.h"

#include <QLocalSocket>
#include <QPointer>
#include <QVariant>
#include <sys/file.h>
#include <sys/stat.h>

#include <thread>

#include "platform/instance/InstanceFrame.h"
#include "platform/instance/UnixSocket.h"

namespace instance {

namespace {

constexpr char kServingProperty[] = "lumettaServing";

// Held while a stale socket file is replaced, so that two starts after a crash
// do not remove each other's fresh socket. Waits a little for another holder.
class ReplacementLock {
public:
    explicit ReplacementLock(const std::string& socketPath)
        : fd_(::open((socketPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        for (int attempt = 0; fd_.get() >= 0 && attempt < 100; ++attempt) {
            if (::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0) {
                held_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    bool held() const { return held_; }  // released when the descriptor closes

private:
    unixsocket::TDescriptor fd_;
    bool held_ = false;
};

}  // namespace

LocalSocketRegistration::LocalSocketRegistration(std::string socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {
    connect(&server_, &QLocalServer::newConnection, this, &LocalSocketRegistration::AcceptConnections);
}

LocalSocketRegistration::~LocalSocketRegistration() { server_.close(); }

bool LocalSocketRegistration::Listen() {
    // Bound directly at the path (no socket options), so that binding fails
    // when the file exists instead of replacing a live socket.
    if (!server_.listen(QString::fromStdString(socketPath_))) return false;
    ::chmod(socketPath_.c_str(), 0600);
    return true;
}

bool LocalSocketRegistration::Register(IInstanceWindow& Window) {
    window_ = &Window;
    if (Listen()) return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError) return false;

    ReplacementLock lock(socketPath_);
    if (!lock.held()) return false;
    unixsocket::TDescriptor probe;
    if (unixsocket::Connect(socketPath_, probe) != unixsocket::TConnectResult::NoListener) return false;
    QLocalServer::removeServer(QString::fromStdString(socketPath_));
    return Listen();
}

void LocalSocketRegistration::AcceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (!unixsocket::PeerIsThisUser(static_cast<int>(socket->socketDescriptor()))) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Serve(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        Serve(socket);
    }
}

// Answers every complete frame in the socket's buffer, in order. A handler may
// process events (a modal message box does), during which the socket may go
// away or more bytes arrive; the loop re-checks after every frame.
void LocalSocketRegistration::Serve(QLocalSocket* raw) {
    QPointer<QLocalSocket> socket(raw);
    if (socket->property(kServingProperty).toBool()) return;
    socket->setProperty(kServingProperty, true);
    while (socket && socket->bytesAvailable() >= static_cast<qint64>(frame::kHeaderBytes)) {
        QByteArray head = socket->peek(frame::kHeaderBytes);
        auto header = frame::DecodeHeader({head.constData(), static_cast<std::size_t>(head.size())});
        if (header.PayloadBytes > frame::kMaxPayloadBytes) {
            socket->write(QByteArray::fromStdString(frame::EncodeAnswer(0)));
            socket->disconnectFromServer();
            break;
        }
        if (socket->bytesAvailable() < static_cast<qint64>(frame::kHeaderBytes + header.PayloadBytes)) break;
        socket->skip(frame::kHeaderBytes);
        QByteArray payload = socket->read(header.PayloadBytes);
        std::int32_t result =
            Dispatch(header.Msg, {payload.constData(), static_cast<std::size_t>(payload.size())});
        if (!socket) return;
        socket->write(QByteArray::fromStdString(frame::EncodeAnswer(result)));
        socket->flush();
    }
    if (socket) socket->setProperty(kServingProperty, false);
}

std::int32_t LocalSocketRegistration::Dispatch(std::uint32_t message, std::string_view payload) {
    if (message == kMessageCopyData) {
        auto record = frame::DecodeCopyData(payload);
        if (!record) return 0;
        TWMCopyData copyData{&*record, 0};
        window_->WMCopyData(copyData);
        return copyData.Result;
    }
    if (message == kMessageShowInstance) {
        TMessage show{kMessageShowInstance, 0};
        window_->WMShowInstance(show);
        return show.Result;
    }
    return 0;
}

}  // namespace instance
