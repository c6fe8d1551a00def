// Finds the first line of a file that contains the compare string.
#pragma once

#include <cstddef>
#include <optional>

#include "by_lines_search.hpp"
#include "byte_reader.hpp"
#include "find.hpp"
#include "legacy_code_page.hpp"
#include "search_limits.hpp"
#include "sourced_text.hpp"

namespace tarvik {

// The first line containing `compare` (non-empty) in `mode`, cut to `limits.keptChars` characters
// plus the compare string's length, or nothing; reading stops at its end, or at the point of a
// long line from which on the rest can change nothing the run takes from it (see LongLine).
// Files are searched block by block for bytes every matching line contains, and only the lines
// holding them are decoded.
std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare,
                                                 CompareMode mode, const LegacyCodePage& legacy,
                                                 SearchLimits limits = {});

}  // namespace tarvik
