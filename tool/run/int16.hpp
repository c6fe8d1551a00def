// 16-bit signed position arithmetic: a value outside -32768..32767 is an overflow, which the
// run turns into the general failure.
#pragma once

#include <cstdint>

#include "general_failure.hpp"

namespace tarvik {

using Int16 = std::int16_t;

constexpr Int16 CheckedInt16(long long value) {
    if (value < -32768 || value > 32767) throw GeneralFailure("16-bit overflow");
    return static_cast<Int16>(value);
}

constexpr Int16 CheckedAdd(long long a, long long b) {
    return CheckedInt16(a + b);
}

}  // namespace tarvik
