// A receiving window that records the messages it handles and answers with a
// chosen result.
#pragma once

#include <string>
#include <vector>

#include "platform/instance/InstanceChannel.h"

class RecordingInstanceWindow : public instance::IInstanceWindow {
public:
    struct Received {
        std::uint32_t msg = 0;
        std::uint32_t tag = 0;
        std::string bytes;
    };

    void WMCopyData(instance::TWMCopyData& Message) override {
        const auto& record = *Message.CopyDataStruct;
        received.push_back({instance::kMessageCopyData, record.dwData, std::string(record.lpData, record.cbData)});
        Message.Result = copyDataResult;
    }
    void WMShowInstance(instance::TMessage& Message) override {
        received.push_back({instance::kMessageShowInstance, 0, {}});
        Message.Result = 0;
    }

    std::vector<Received> received;
    std::int32_t copyDataResult = 1;
};
