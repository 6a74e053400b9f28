#include "platform/instance/InstanceFrame.h"

namespace instance::frame {

namespace {

void Put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return v;
}

}  // namespace

std::string EncodeCopyData(const TCopyDataStruct& record) {
    std::string out;
    Put32(out, kMessageCopyData);
    Put32(out, static_cast<std::uint32_t>(kCopyDataHeaderBytes + record.cbData));
    Put32(out, record.dwData);
    Put32(out, record.cbData);
    out.append(record.lpData, record.cbData);
    return out;
}

std::string EncodeShowInstance() {
    std::string out;
    Put32(out, kMessageShowInstance);
    Put32(out, 0);
    return out;
}

std::string EncodeAnswer(std::int32_t result) {
    std::string out;
    Put32(out, static_cast<std::uint32_t>(result));
    return out;
}

THeader DecodeHeader(std::string_view bytes) { return {Get32(bytes, 0), Get32(bytes, 4)}; }

std::int32_t DecodeAnswer(std::string_view bytes) { return static_cast<std::int32_t>(Get32(bytes, 0)); }

std::optional<TCopyDataStruct> DecodeCopyData(std::string_view payload) {
    if (payload.size() < kCopyDataHeaderBytes) return std::nullopt;
    TCopyDataStruct record{Get32(payload, 0), Get32(payload, 4), payload.data() + kCopyDataHeaderBytes};
    if (record.cbData != payload.size() - kCopyDataHeaderBytes) return std::nullopt;
    return record;
}

}  // namespace instance::frame
