#include "LocalHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <stdexcept>

LocalHttpServer::LocalHttpServer(Response response) : response_(std::move(response)) {
    if (!server_.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("cannot listen on 127.0.0.1");
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LocalHttpServer::Url(const QString& path) const {
    return QString("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
}

void LocalHttpServer::Serve(QTcpSocket* socket) {
    if (socket->property("served").toBool()) return;
    QByteArray request = socket->peek(64 * 1024);
    if (!request.contains("\r\n\r\n")) return;
    socket->readAll();
    socket->setProperty("served", true);
    requestedPaths << QString::fromLatin1(request.split(' ').value(1));

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response_.status) +
                      (response_.status == 200 ? " OK" : " Not Found") + "\r\nContent-Type: application/octet-stream\r\n";
    head += response_.announceLength ? "Content-Length: " + QByteArray::number(response_.body.size()) + "\r\n"
                                     : QByteArray("Connection: close\r\n");
    socket->write(head + "\r\n");
    SendPiece(socket, 0);
}

void LocalHttpServer::SendPiece(QTcpSocket* socket, int piece) {
    qsizetype size = (response_.body.size() + response_.pieces - 1) / response_.pieces;
    socket->write(response_.body.mid(piece * size, size));
    socket->flush();
    if (piece == 0 && afterFirstPiece) std::exchange(afterFirstPiece, nullptr)();
    if (piece + 1 < response_.pieces) {
        QTimer::singleShot(response_.pauseMillis, socket, [this, socket, piece] { SendPiece(socket, piece + 1); });
    } else if (!response_.announceLength) {
        socket->disconnectFromHost();
    }
}
