// A running instance that records what a second start sends it, and the
// locator that finds it (or finds nothing).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/instance/InstanceChannel.h"

struct SentMessage {
    std::uint32_t msg = 0;
    std::uint32_t tag = 0;
    std::uint32_t byteCount = 0;
    std::string bytes;
};

struct FakeInstanceLog {
    std::vector<SentMessage> sent;
    std::optional<std::int32_t> copyDataAnswer = 1;  // nullopt: no answer in time
};

class FakeRunningInstance : public instance::IRunningInstance {
public:
    explicit FakeRunningInstance(FakeInstanceLog& log) : log_(log) {}
    std::optional<std::int32_t> SendCopyData(const instance::TCopyDataStruct& Record) override {
        log_.sent.push_back({instance::kMessageCopyData, Record.dwData, Record.cbData,
                             std::string(Record.lpData, Record.cbData)});
        return log_.copyDataAnswer;
    }
    std::optional<std::int32_t> SendShowInstance() override {
        log_.sent.push_back({instance::kMessageShowInstance, 0, 0, {}});
        return 0;
    }

private:
    FakeInstanceLog& log_;
};

class FakeInstanceLocator : public instance::IInstanceLocator {
public:
    // With `log` null no instance is running.
    explicit FakeInstanceLocator(FakeInstanceLog* log) : log_(log) {}
    std::unique_ptr<instance::IRunningInstance> FindRunningInstance() override {
        if (!log_) return nullptr;
        return std::make_unique<FakeRunningInstance>(*log_);
    }

private:
    FakeInstanceLog* log_;
};
