#include "platform/instance/LocalSocketLocator.h"

#include "platform/instance/InstanceFrame.h"
#include "platform/instance/UnixSocket.h"

namespace instance {

namespace {

// One connection, kept for all the messages this process sends.
class LocalSocketInstance : public IRunningInstance {
public:
    LocalSocketInstance(unixsocket::TDescriptor socket, std::chrono::milliseconds limit)
        : socket_(std::move(socket)), limit_(limit) {}

    std::optional<std::int32_t> SendCopyData(const TCopyDataStruct& Record) override {
        return Send(frame::EncodeCopyData(Record));
    }
    std::optional<std::int32_t> SendShowInstance() override { return Send(frame::EncodeShowInstance()); }

private:
    std::optional<std::int32_t> Send(const std::string& request) {
        std::string answer(frame::kAnswerBytes, '\0');
        if (!unixsocket::Exchange(socket_.get(), request, answer, limit_)) return std::nullopt;
        return frame::DecodeAnswer(answer);
    }

    unixsocket::TDescriptor socket_;
    std::chrono::milliseconds limit_;
};

}  // namespace

LocalSocketLocator::LocalSocketLocator(std::string socketPath, std::chrono::milliseconds answerLimit)
    : socketPath_(std::move(socketPath)), answerLimit_(answerLimit) {}

std::unique_ptr<IRunningInstance> LocalSocketLocator::FindRunningInstance() {
    unixsocket::TDescriptor socket;
    if (unixsocket::Connect(socketPath_, socket) != unixsocket::TConnectResult::Connected) return nullptr;
    if (!unixsocket::PeerIsThisUser(socket.get())) return nullptr;
    return std::make_unique<LocalSocketInstance>(std::move(socket), answerLimit_);
}

}  // namespace instance
