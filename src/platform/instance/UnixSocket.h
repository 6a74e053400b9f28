// The POSIX side of the channel's socket: where it lives, connecting to it
// without Qt, and who is at the other end.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace instance::unixsocket {

// The socket of this user: kWindowClassName in $XDG_RUNTIME_DIR, or, when that
// is not a folder of this user, in the private folder /tmp/lumetta-UID
// (created with mode 0700). nullopt when no private folder can be had: the
// fallback folder belongs to someone else, or is open to others.
std::optional<std::string> SocketPath();

enum class TConnectResult { Connected, NoListener, Busy };

// A socket file descriptor that is closed with this object.
class TDescriptor {
public:
    TDescriptor() = default;
    explicit TDescriptor(int fd) : fd_(fd) {}
    ~TDescriptor();
    TDescriptor(TDescriptor&& other) noexcept : fd_(other.Release()) {}
    TDescriptor& operator=(TDescriptor&& other) noexcept;
    int get() const { return fd_; }
    int Release();

private:
    int fd_ = -1;
};

// Connects without blocking. NoListener: nothing is bound there or the socket
// file is stale (left by a process that ended without removing it). Busy: a
// process listens but its queue of pending connections is full.
TConnectResult Connect(const std::string& path, TDescriptor& socket);

// Whether the process at the other end of a connected socket runs as this user.
bool PeerIsThisUser(int fd);

// Sends all of `bytes`, then reads exactly `answer.size()` bytes, within
// `limit` in total. False on time-out, a broken connection or a short answer.
bool Exchange(int fd, std::string_view bytes, std::string& answer, std::chrono::milliseconds limit);

}  // namespace instance::unixsocket
