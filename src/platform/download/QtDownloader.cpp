#include "platform/download/QtDownloader.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

#include <memory>

namespace download {

QtDownloader::QtDownloader(std::chrono::milliseconds stallLimit) : stallLimit_(stallLimit) {}

void QtDownloader::DownloadToFile(const std::string& url, const std::filesystem::path& file,
                                  const Progress& progress) {
    QSaveFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly))
        throw DownloadError("The download of " + url + " cannot be saved to " + file.string() + ": " +
                            out.errorString().toStdString());

    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setTransferTimeout(static_cast<int>(stallLimit_.count()));
    std::unique_ptr<QNetworkReply> reply(manager_.get(request));

    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] { out.write(reply->readAll()); });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
        if (progress) progress(received, total);
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (reply->error() != QNetworkReply::NoError) {
        out.cancelWriting();
        throw DownloadError("The download of " + url + " failed: " + reply->errorString().toStdString());
    }
    out.write(reply->readAll());
    if (!out.commit())
        throw DownloadError("The download of " + url + " cannot be saved to " + file.string() + ": " +
                            out.errorString().toStdString());
}

}  // namespace download
