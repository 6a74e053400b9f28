// Element-wise matrix comparison for hand-computed expectations.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "d3d8types.h"

namespace enginetest {

inline void ExpectMatrixNear(const D3DMATRIX& actual, const std::array<float, 16>& expected, float tolerance = 1e-6f) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.m[i / 4][i % 4], expected[i], tolerance) << "element _" << (i / 4 + 1) << (i % 4 + 1);
}

}  // namespace enginetest
