// The exception that the engine raises when a check fails and its raise flag is
// set. what() is the composed message ("TkelDXScene: Cant create main device."
// and the result's description); Result() the code that was checked.
#pragma once

#include <stdexcept>
#include <string>

#include "d3d8types.h"

namespace kelDX8 {

class EkelDXError : public std::runtime_error {
public:
    EkelDXError(const std::string& Message, HRESULT Result) : std::runtime_error(Message), result_(Result) {}
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace kelDX8
