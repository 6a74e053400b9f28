#include "platform/instance/UnixSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/instance/InstanceChannel.h"

namespace instance::unixsocket {

namespace {

bool IsPrivateFolderOfThisUser(const std::string& folder, bool closedToOthers) {
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
    return !closedToOthers || (st.st_mode & 077) == 0;
}

}  // namespace

std::optional<std::string> SocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateFolderOfThisUser(runtime, false))
        return std::string(runtime) + "/" + kWindowClassName;

    std::string folder = "/tmp/lumetta-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    if (!IsPrivateFolderOfThisUser(folder, true)) return std::nullopt;
    return folder + "/" + kWindowClassName;
}

TDescriptor::~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

TDescriptor& TDescriptor::operator=(TDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.Release();
    }
    return *this;
}

int TDescriptor::Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
}

TConnectResult Connect(const std::string& path, TDescriptor& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return TConnectResult::NoListener;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    TDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (fd.get() < 0) return TConnectResult::NoListener;
    int r;
    do {
        r = ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (r != 0 && errno == EINTR);
    if (r != 0) return errno == EAGAIN ? TConnectResult::Busy : TConnectResult::NoListener;
    socket = std::move(fd);
    return TConnectResult::Connected;
}

bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

namespace {

using Clock = std::chrono::steady_clock;

// Waits until `fd` is ready for `events` or the deadline passes.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, static_cast<int>(left));
        if (r > 0) return true;
        if (r < 0 && errno != EINTR) return false;
    }
}

}  // namespace

bool Exchange(int fd, std::string_view bytes, std::string& answer, std::chrono::milliseconds limit) {
    auto deadline = Clock::now() + limit;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!WaitFor(fd, POLLOUT, deadline)) return false;
        ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    std::size_t got = 0;
    while (got < answer.size()) {
        if (!WaitFor(fd, POLLIN, deadline)) return false;
        ssize_t n = ::recv(fd, answer.data() + got, answer.size() - got, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace instance::unixsocket
