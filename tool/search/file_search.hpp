// Finds the first line of a file that contains the compare string.
#pragma once

#include <cstddef>
#include <optional>

#include "byte_reader.hpp"
#include "find.hpp"
#include "legacy_code_page.hpp"
#include "sourced_text.hpp"

namespace tarvik {

// Bytes read at a time.
constexpr std::size_t kSearchBlockSize = 256 * 1024;

// Characters of a line kept beyond the compare string's length; the rest of a longer line is
// searched as it passes, so memory stays bounded whatever the file holds. The run decides on the
// cut line as it would on the whole one: positions are 16-bit, so a match must start within the
// first 32767 characters, which the kept part then holds whole, and a slice starts at most there.
// What follows such a start is, as in the whole line, more than 32767 characters: an overflow with
// a length, a result line longer than a batch line without one. A line whose first match lies
// beyond the kept part would overflow in the run: the search throws GeneralFailure for it.
constexpr std::size_t kKeptLineChars = 65536;

struct SearchLimits {
    std::size_t blockSize = kSearchBlockSize;
    std::size_t keptChars = kKeptLineChars;
};

// The first line containing `compare` (non-empty) in `mode`, cut to `limits.keptChars` characters
// plus the compare string's length, or nothing; reading stops at its end. Files are searched block
// by block for bytes every matching line contains, and only the lines holding them are decoded.
std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare,
                                                 CompareMode mode, const LegacyCodePage& legacy,
                                                 SearchLimits limits = {});

// The same by decoding and searching every line: for UTF-16 files whose compare string gives no
// pattern, and from a UTF-16 line too long to keep on. Lines of byte-encoded files are held whole
// here.
std::optional<SourcedText> FindFirstMatchingLineByLines(ByteReader& reader, TextView compare,
                                                        CompareMode mode,
                                                        const LegacyCodePage& legacy,
                                                        std::size_t keptChars = kKeptLineChars);

}  // namespace tarvik
