// The two describers that CheckResult appends to a result's name: one for
// device, D3DX and texture calls, one for input calls. Each returns a fixed
// English sentence for the codes its component documents and one fixed text
// for every other code. The texts are static; never null.
#pragma once

#include "d3d8types.h"

namespace kelDX8 {

using ResultDescriber = const char* (*)(HRESULT Result);

const char* DescribeD3DResult(HRESULT Result);
const char* DescribeDIResult(HRESULT Result);

// The text both describers give for a code they do not know.
extern const char* const UnknownResultText;

}  // namespace kelDX8
