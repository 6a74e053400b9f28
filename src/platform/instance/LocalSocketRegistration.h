// The receiving end of the channel: a QLocalServer at the per-user socket that
// reads request frames and hands them to the registered window.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <string>

#include "platform/instance/InstanceChannel.h"

class QLocalSocket;

namespace instance {

class LocalSocketRegistration : public QObject, public IInstanceRegistration {
    Q_OBJECT
public:
    explicit LocalSocketRegistration(std::string socketPath, QObject* parent = nullptr);
    ~LocalSocketRegistration() override;

    // Listens at the socket. A socket file that nobody listens at (left by a
    // process that crashed) is replaced; one with a live listener is left
    // alone and the registration fails. Only the same user's connections are
    // served; the socket file is readable and writable by the owner only.
    bool Register(IInstanceWindow& Window) override;

private:
    void AcceptConnections();
    void Serve(QLocalSocket* socket);
    std::int32_t Dispatch(std::uint32_t message, std::string_view payload);
    bool Listen();

    std::string socketPath_;
    QLocalServer server_;
    IInstanceWindow* window_ = nullptr;
};

}  // namespace instance
