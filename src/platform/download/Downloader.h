// Downloads a file from a web address, with progress reports. Pure C++
// consumer header.
//
// Main thread only. A download blocks its caller until it ends: user input
// waits meanwhile, while timers and other queued events are served.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace download {

// A download that did not complete; what() names the address and the cause.
class DownloadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bytes received so far and the total size; the total is 0 or negative while
// the size is unknown (a response without a length).
using Progress = std::function<void(std::int64_t received, std::int64_t total)>;

class IDownloader {
public:
    virtual ~IDownloader() = default;
    // Downloads `url` into `file`, reporting progress as data arrives. The
    // file is replaced only when the whole download succeeded. Throws
    // DownloadError on a network or server error, when no data arrives for
    // a long time, or when the file cannot be written.
    virtual void DownloadToFile(const std::string& url, const std::filesystem::path& file,
                                const Progress& progress) = 0;
};

}  // namespace download
