// The base of every engine object: ties it to its scene and carries the
// engine's one result check.
#pragma once

#include <string>

#include "ResultDescribers.h"
#include "d3d8types.h"

namespace kelDX8 {

class TkelDXScene;

class TkelDXCustomObject {
public:
    // The scene the object belongs to; a scene's own Scene is itself. Set by Create.
    TkelDXScene* Scene = nullptr;

    virtual ~TkelDXCustomObject() = default;
    TkelDXCustomObject(const TkelDXCustomObject&) = delete;
    TkelDXCustomObject& operator=(const TkelDXCustomObject&) = delete;

    // The object's dynamic class name, which prefixes its error messages.
    virtual const char* ClassName() const;

    // Records Result in the scene and returns whether it succeeded. On failure
    // the message becomes "<class>: <Message>" and, with a describer, gets
    // "\r\n\r\n(<result name>: <description>)" appended; it is raised as
    // EkelDXError when RaiseOnError is set. DescribeResult may be null.
    bool CheckResult(HRESULT Result, const std::string& Message, ResultDescriber DescribeResult,
                     bool RaiseOnError) const;

protected:
    TkelDXCustomObject() = default;
    // Raises "No valid argument." (E_INVALIDARG) when Scene is null.
    void Create(TkelDXScene* Scene);
};

}  // namespace kelDX8
