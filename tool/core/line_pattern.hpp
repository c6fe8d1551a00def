// Turns the compare string into a byte pattern that every matching line of a file contains, so
// that a file can be searched as bytes and only lines holding the pattern decoded.
#pragma once

#include <optional>
#include <vector>

#include "byte_order_mark.hpp"
#include "byte_search.hpp"
#include "find.hpp"
#include "legacy_code_page.hpp"
#include "spelled_match.hpp"

namespace tarvik {

// The byte runs that every line containing the compare string holds (UTF-8 or legacy in a
// byte-encoded file, UTF-16 in the file's byte order), each cut to a part that can be scanned for;
// lines holding them may still not match.
struct LinePattern {
    BytePattern search;  // the most selective part, to scan the file for
    // The next most selective ones, to rule out lines before decoding.
    std::vector<BytePattern> checks;
    // Parts of the compare string as spelled in UTF-8 and in the code page: when there are any, a
    // matching line holds one of them.
    std::vector<BytePattern> spellings;
    // Where `search` can start in a match, and the compare string spelled in each kind of line
    // that can match; empty where a hit cannot be checked that way.
    std::vector<std::size_t> searchOffsets;
    std::vector<SpelledMatch> spelled;
    // Bytes of a code unit: a match starts at a multiple of it from a line's start.
    std::size_t unitBytes = 1;
};

// Nothing when the compare string gives no run that can be scanned for.
std::optional<LinePattern> PatternInMatchingLines(TextView compare, CompareMode mode,
                                                  FileEncoding encoding,
                                                  const LegacyCodePage& legacy);

// False when no match holds `hit` of the searched part as it can lie in a match; matches start at
// or after `from`, a line's start, and the bytes from `end` on are not known yet. Always true where
// hits cannot be checked so.
bool MayMatchAround(const LinePattern& pattern, const char* hit, const char* from, const char* end);

// False when [begin, end) lacks one of the checked parts or all spellings, so that it cannot match.
bool HoldsEveryPart(LinePattern& pattern, const char* begin, const char* end);

// To be called when bytes already searched may have changed.
void ForgetSearchedBytes(LinePattern& pattern);

}  // namespace tarvik
