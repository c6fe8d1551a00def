// Where the result lies in the target: the start position from the match and the start offset,
// then the cut by the length, all in 16-bit position arithmetic.
#pragma once

#include <cstddef>
#include <optional>

#include "int16.hpp"
#include "messages.hpp"
#include "text.hpp"

namespace tarvik {

struct Slice {
    std::size_t start = 0;           // 0-based first character
    std::size_t count = Text::npos;  // npos: to the end of the target
    std::optional<ErrorKind>
        failure{};  // LengthNotNumeric or LengthOutOfRange; start and count unset
};

// `matchPosition` is 1-based; `length` is the /L: text, empty or "0" taking the rest. A start past
// the end gives an empty slice without looking at the length. Throws GeneralFailure when the
// arithmetic leaves -32768..32767.
Slice CutSlice(Int16 matchPosition, std::size_t compareLength, Int16 startOffset, TextView length,
               std::size_t targetLength);

}  // namespace tarvik
