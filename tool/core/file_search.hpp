// Finds the first line of a file that contains the compare string.
#pragma once

#include <cstddef>
#include <optional>

#include "find.hpp"
#include "platform.hpp"
#include "sourced_text.hpp"

namespace tarvik {

// Bytes read at a time; a line longer than this grows the buffer to hold it.
constexpr std::size_t kSearchBlockSize = 256 * 1024;

// The first line containing `compare` (non-empty) in `mode`, or nothing; reading stops there.
// Byte-encoded files are searched block by block for bytes every matching line contains, and only
// the lines holding them are decoded.
std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare, CompareMode mode,
                                                 const LegacyCodePage& legacy,
                                                 std::size_t blockSize = kSearchBlockSize);

// The same by decoding and searching every line: for UTF-16 files and compare strings that give
// no byte pattern.
std::optional<SourcedText> FindFirstMatchingLineByLines(ByteReader& reader, TextView compare, CompareMode mode,
                                                        const LegacyCodePage& legacy);

}  // namespace tarvik
