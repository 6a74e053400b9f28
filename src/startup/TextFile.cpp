#include "startup/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <random>

namespace textfile {

std::optional<std::string> Read(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return content;
}

namespace {

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A name beside `file` that no other writer picks: two shows that end at the
// same time both write the shared file.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
    static std::mt19937_64 random{std::random_device{}()};
    std::string name = ".";
    name.append(file.filename().string()).append(".").append(std::to_string(random())).append(".tmp");
    return file.parent_path() / name;
}

}  // namespace

bool Replace(const std::filesystem::path& file, const std::string& content) {
    auto temporary = TemporaryBeside(file);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    // Keep the rights the user gave the previous file.
    struct stat previous;
    if (::stat(file.c_str(), &previous) == 0) ::fchmod(fd, previous.st_mode & 07777);
    bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), file.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace textfile
