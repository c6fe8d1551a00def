// Letter case for the case-ignoring comparison and the switch reader: Unicode simple case
// mapping, one code point to one code point, so an upper-cased copy keeps every position.
#pragma once

#include "text.hpp"

namespace tarvik {

char32_t SimpleUpper(char32_t cp);

Text ToUpper(TextView text);

// Every code point that the case-ignoring comparison takes for `cp`: `cp` itself and all code
// points with the same simple upper-case mapping. Used to know which bytes a match can consist of.
Text CaseVariants(char32_t cp);

}  // namespace tarvik
