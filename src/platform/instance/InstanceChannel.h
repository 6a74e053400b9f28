// The single-instance channel: a second start finds the running show by its
// window class name and hands it its command line.
//
// Two messages travel on it, each answered synchronously with the receiver's
// result (the sender waits until the receiver has handled the message):
//   kMessageCopyData      a copy-data record (tag, byte count, bytes); result
//                         1 when the record was accepted, otherwise 0
//   kMessageShowInstance  bring the show to the front; result not used
// The channel reaches only instances of the same user.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace instance {

// The name the running show is found by.
inline constexpr char kWindowClassName[] = "Brindle.Lumetta";

inline constexpr std::uint32_t kMessageCopyData = 0x004A;
inline constexpr std::uint32_t kMessageShowInstance = 0x0401;

// Copy-data records with a larger byte count are refused unread.
inline constexpr std::uint32_t kMaxCopyDataBytes = 1u << 20;

// How long a sender waits for the answer to one message. The running show
// handles messages only between its animation steps and photos (a few seconds
// apart at most) and while a modal message box is open; a show that has not
// answered within a minute is taken to be wedged, and the sender goes on as
// if no show were running.
inline constexpr std::chrono::milliseconds kAnswerLimit{60'000};

// A copy-data record as the receiver sees it: `lpData` points to `cbData`
// bytes, valid while the handler runs.
struct TCopyDataStruct {
    std::uint32_t dwData = 0;  // data tag
    std::uint32_t cbData = 0;  // byte count
    const char* lpData = nullptr;
};

struct TWMCopyData {
    const TCopyDataStruct* CopyDataStruct = nullptr;
    std::int32_t Result = 0;
};

struct TMessage {
    std::uint32_t Msg = 0;
    std::int32_t Result = 0;
};

// The receiving window. Its handlers run on the main thread, only while Qt
// processes events, one message at a time per sender; they set the result.
class IInstanceWindow {
public:
    virtual void WMCopyData(TWMCopyData& Message) = 0;
    virtual void WMShowInstance(TMessage& Message) = 0;

protected:
    ~IInstanceWindow() = default;
};

// A running instance as a sender holds it. Calls block the calling thread
// (no event loop is needed) for at most kAnswerLimit each.
class IRunningInstance {
public:
    virtual ~IRunningInstance() = default;
    // The receiver's result; nullopt when it did not answer in time or the
    // connection broke.
    virtual std::optional<std::int32_t> SendCopyData(const TCopyDataStruct& Record) = 0;
    virtual std::optional<std::int32_t> SendShowInstance() = 0;
};

// Finds the running instance of this user. Blocking, needs no Qt objects, so
// it can run before the application object exists.
class IInstanceLocator {
public:
    virtual ~IInstanceLocator() = default;
    // nullptr when no instance is running or none can be reached.
    virtual std::unique_ptr<IRunningInstance> FindRunningInstance() = 0;
};

// Makes a window reachable under kWindowClassName for as long as the
// registration lives. Main thread only.
class IInstanceRegistration {
public:
    virtual ~IInstanceRegistration() = default;
    // False when another live instance holds the name or the channel cannot be
    // set up; the program then runs without being reachable.
    virtual bool Register(IInstanceWindow& Window) = 0;
};

}  // namespace instance
