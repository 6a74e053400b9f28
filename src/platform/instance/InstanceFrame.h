// How the channel's messages travel on a stream socket. A request frame is
//   u32 message, u32 payload size, payload
// where a copy-data payload is u32 tag, u32 byte count, the bytes (so its size
// is 8 + byte count) and a show-instance payload is empty. The answer is one
// i32 result. All integers little-endian.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/instance/InstanceChannel.h"

namespace instance::frame {

inline constexpr std::size_t kHeaderBytes = 8;
inline constexpr std::size_t kAnswerBytes = 4;
inline constexpr std::size_t kCopyDataHeaderBytes = 8;
// Frames announcing more are refused before their payload is read.
inline constexpr std::uint32_t kMaxPayloadBytes = kCopyDataHeaderBytes + kMaxCopyDataBytes;

struct THeader {
    std::uint32_t Msg = 0;
    std::uint32_t PayloadBytes = 0;
};

std::string EncodeCopyData(const TCopyDataStruct& record);
std::string EncodeShowInstance();
std::string EncodeAnswer(std::int32_t result);

// `bytes` must hold at least kHeaderBytes / kAnswerBytes.
THeader DecodeHeader(std::string_view bytes);
std::int32_t DecodeAnswer(std::string_view bytes);

// The record of a copy-data payload; nullopt when the byte count does not
// match the payload's size. `lpData` points into `payload`.
std::optional<TCopyDataStruct> DecodeCopyData(std::string_view payload);

}  // namespace instance::frame
