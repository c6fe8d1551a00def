// The file search that decodes and searches every line.
#pragma once

#include <cstddef>
#include <optional>

#include "byte_reader.hpp"
#include "find.hpp"
#include "legacy_code_page.hpp"
#include "search_limits.hpp"
#include "sourced_text.hpp"

namespace tarvik {

// As FindFirstMatchingLine, by decoding and searching every line: for UTF-16 files whose compare
// string gives no pattern, and from a UTF-16 line too long to keep on. Lines of byte-encoded files
// are held whole here.
std::optional<SourcedText> FindFirstMatchingLineByLines(ByteReader& reader, TextView compare,
                                                        CompareMode mode,
                                                        const LegacyCodePage& legacy,
                                                        std::size_t keptChars = kKeptLineChars);

}  // namespace tarvik
