// The search of a UTF-16 file as bytes.
#pragma once

#include <optional>

#include "byte_order_mark.hpp"
#include "byte_reader.hpp"
#include "file_search.hpp"

namespace tarvik {

// As FindFirstMatchingLine, for a file of `encoding` (UTF-16) that `whole` reads from its first
// byte, the byte order mark included.
std::optional<SourcedText> FindFirstMatchingUtf16Line(ByteReader& whole, FileEncoding encoding,
                                                      TextView compare, CompareMode mode,
                                                      const LegacyCodePage& legacy,
                                                      SearchLimits limits);

}  // namespace tarvik
