// Letter case for the case-ignoring comparison and the switch reader: Unicode simple case
// mapping, one code point to one code point, so an upper-cased copy keeps every position.
#pragma once

#include <array>

#include "text.hpp"

namespace tarvik {

namespace case_detail {
// The mappings of the first kDirectCount code points, where nearly all letters of text lie, in a
// direct table; the rest are looked up in the generated table.
inline constexpr char32_t kDirectCount = 0x800;
extern const std::array<char32_t, kDirectCount> kDirectUpper;
char32_t LookUpUpper(char32_t cp);
}  // namespace case_detail

inline char32_t SimpleUpper(char32_t cp) {
    return cp < case_detail::kDirectCount ? case_detail::kDirectUpper[cp]
                                          : case_detail::LookUpUpper(cp);
}

Text ToUpper(TextView text);

// Every code point that the case-ignoring comparison takes for `cp`: `cp` itself and all code
// points with the same simple upper-case mapping. Used to know which bytes a match can consist of.
Text CaseVariants(char32_t cp);

}  // namespace tarvik
