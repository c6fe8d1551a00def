// Turns the compare string into a byte pattern that every matching line of a byte-encoded file
// contains, so that a file can be searched as bytes and only lines holding the pattern decoded.
#pragma once

#include <optional>

#include "byte_search.hpp"
#include "find.hpp"
#include "platform.hpp"

namespace tarvik {

// A pattern found in every line (UTF-8 or legacy) that contains `compare` in `mode`, or nothing
// when no useful one exists; lines holding it may still not match.
std::optional<BytePattern> PatternInMatchingLines(TextView compare, CompareMode mode, const LegacyCodePage& legacy);

}  // namespace tarvik
