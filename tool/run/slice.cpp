// The slice arithmetic of the run, apart from the run so that a table of cases can pin it down.
#include "slice.hpp"

#include "numeric.hpp"

namespace tarvik {

Slice CutSlice(Int16 matchPosition, std::size_t compareLength, Int16 startOffset, TextView length,
               std::size_t targetLength) {
    // A negative offset counts back from the match, any other forward from just after it.
    Int16 start = startOffset < 0 ? CheckedAdd(matchPosition, startOffset)
                                  : CheckedAdd(CheckedAdd(matchPosition, startOffset),
                                               static_cast<long long>(compareLength));
    if (start < 1) start = 1;
    const auto size = static_cast<long long>(targetLength);
    if (start > size) return {.start = targetLength, .count = 0};
    const auto first = static_cast<std::size_t>(start - 1);
    if (length.empty() || length == U"0") return {.start = first};
    if (!IsNumeric(length)) return {.failure = ErrorKind::LengthNotNumeric};
    const Int16 n = NumericToInt16(length);
    const Int16 remaining = CheckedInt16(size - start + 1);
    if (n < 0 || n > remaining) return {.failure = ErrorKind::LengthOutOfRange};
    return {.start = first, .count = static_cast<std::size_t>(n)};
}

}  // namespace tarvik
