// The sending end of the channel over the per-user local socket. Plain POSIX,
// so it works before the application object exists.
#pragma once

#include <string>

#include "platform/instance/InstanceChannel.h"

namespace instance {

class LocalSocketLocator : public IInstanceLocator {
public:
    // `socketPath` is usually unixsocket::SocketPath(); `answerLimit` bounds
    // the wait for each answer.
    explicit LocalSocketLocator(std::string socketPath, std::chrono::milliseconds answerLimit = kAnswerLimit);

    // An instance answers when something listens at the socket and runs as
    // this user. A stale socket file, a full queue or another user's process
    // count as no instance.
    std::unique_ptr<IRunningInstance> FindRunningInstance() override;

private:
    std::string socketPath_;
    std::chrono::milliseconds answerLimit_;
};

}  // namespace instance
