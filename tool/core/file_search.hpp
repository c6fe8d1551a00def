// Finds the first line of a file that contains the compare string.
#pragma once

#include <optional>

#include "find.hpp"
#include "platform.hpp"
#include "sourced_text.hpp"

namespace tarvik {

// The first line containing `compare` (non-empty) in `mode`, or nothing; reading stops there.
std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare, CompareMode mode,
                                                 const LegacyCodePage& legacy);

}  // namespace tarvik
