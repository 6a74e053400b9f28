// Downloads over QNetworkAccessManager, waiting in an event loop that holds
// back user input.
#pragma once

#include "platform/download/Downloader.h"

#include <QNetworkAccessManager>

#include <chrono>

namespace download {

class QtDownloader final : public IDownloader {
public:
    // A download fails when no data arrives for `stallLimit`.
    explicit QtDownloader(std::chrono::milliseconds stallLimit = std::chrono::seconds(30));
    void DownloadToFile(const std::string& url, const std::filesystem::path& file,
                        const Progress& progress) override;

private:
    QNetworkAccessManager manager_;
    std::chrono::milliseconds stallLimit_;
};

}  // namespace download
