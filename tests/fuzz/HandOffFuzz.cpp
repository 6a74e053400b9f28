// A hand-off frame as it arrives on the socket: header, copy-data record and
// its packed argument list. Whatever the bytes, the decoders stay inside them,
// and an accepted list packs back to the same bytes.
#include <cstdlib>
#include <string_view>

#include "platform/instance/InstanceFrame.h"
#include "startup/HandOffRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() < instance::frame::kHeaderBytes) return 0;
    auto header = instance::frame::DecodeHeader(bytes);
    std::string_view payload = bytes.substr(instance::frame::kHeaderBytes);
    if (header.PayloadBytes != payload.size()) return 0;
    auto record = instance::frame::DecodeCopyData(payload);
    if (!record) return 0;
    if (record->cbData > payload.size()) std::abort();
    std::string_view packed(record->lpData, record->cbData);
    auto args = handoff::UnpackArguments(packed);
    if (!args) return 0;
    auto again = handoff::PackArguments(*args);
    if (again.size() > packed.size() || std::string_view(again.data(), again.size()) != packed.substr(0, again.size()))
        std::abort();
    return 0;
}
