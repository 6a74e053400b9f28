// A web server on 127.0.0.1 for download tests, in the test's own thread: it
// answers every request with one response, sending the body in pieces with
// pauses between them, so that the client reports its progress on the way.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>

#include <functional>

class LocalHttpServer final : public QObject {
public:
    struct Response {
        int status = 200;
        QByteArray body;
        bool announceLength = true;  // without a length, the end of the body closes the connection
        int pieces = 4;
        // Longer than the client's 100 ms between two progress reports.
        int pauseMillis = 150;
    };

    explicit LocalHttpServer(Response response);
    QString Url(const QString& path) const;
    // Called once, after the first piece of a body has been sent.
    std::function<void()> afterFirstPiece;
    QStringList requestedPaths;

private:
    void Serve(QTcpSocket* socket);
    void SendPiece(QTcpSocket* socket, int piece);

    Response response_;
    QTcpServer server_;
};
