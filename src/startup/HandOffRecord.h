// The record a second start hands to the running show: its command-line
// arguments packed one after another, each ended by a NUL byte, with one more
// NUL after the last ("C:\A", "D:\B.jpg" -> 15 bytes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/instance/InstanceChannel.h"

namespace handoff {

// Tag of a copy-data record that carries a command line.
constexpr std::uint32_t kCommandLineTag = 0xCF0E2BCA;
// Larger records are refused before anything is read or allocated.
constexpr std::uint32_t kMaxRecordBytes = instance::kMaxCopyDataBytes;

// The packed list of the arguments, terminator included; its size is the byte count.
std::vector<char> PackArguments(const std::vector<std::string>& args);

// The arguments of a packed list of `byteCount` bytes. Reads only those bytes:
// a list that has no terminating empty string inside them gives nullopt.
std::optional<std::vector<std::string>> UnpackArguments(std::string_view packed);

}  // namespace handoff
