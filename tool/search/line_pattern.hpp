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

// A byte pattern the search scans for, and where it can start in a match.
struct ScannedPart {
    BytePattern bytes;
    // Byte offsets from a match's start at which the part can begin; empty when not known.
    std::vector<std::size_t> offsets;
    // The last answer of a scan, reused while the search goes on within it.
    const char* from = nullptr;
    const char* end = nullptr;
    const char* hit = nullptr;
};

// What every line containing the compare string holds, as bytes (UTF-8 or legacy in a
// byte-encoded file, UTF-16 in the file's byte order); lines holding it may still not match.
struct LinePattern {
    // Every match holds one of these, cut to a part that can be scanned for: the compare string
    // as each kind of line spells it, or the least likely of the runs every match holds.
    std::vector<ScannedPart> scanned;
    // The most selective runs, to rule out lines before decoding.
    std::vector<BytePattern> checks;
    // The compare string spelled in each kind of line that can match, to check a hit where it
    // lies; empty for long compare strings.
    std::vector<SpelledMatch> spelled;
    // Bytes of a code unit: a match starts at a multiple of it from a line's start.
    std::size_t unitBytes = 1;
    // Bytes a match spans at most: each character in its longest spelling.
    std::size_t matchBytes = 0;

    // Bytes of the longest scanned part.
    std::size_t Width() const;
};

// Nothing when the compare string gives no run that can be scanned for.
std::optional<LinePattern> PatternInMatchingLines(TextView compare, CompareMode mode,
                                                  FileEncoding encoding,
                                                  const LegacyCodePage& legacy);

// The first place in [from, end) where a scanned part lies wholly, or nullptr.
const char* FindCandidate(LinePattern& pattern, const char* from, const char* end);

enum class HitCheck {
    RuledOut,   // no match holds the hit
    MayMatch,   // the compare string's bytes are there
    Unchecked,  // the hit cannot be checked where it lies
};

// How `hit`, the place FindCandidate gave last, fares as part of a match; matches start at or
// after `from`, a line's start, and the bytes from `end` on are not known yet.
HitCheck CheckHit(const LinePattern& pattern, const char* hit, const char* from, const char* end);

// False when [begin, end) lacks one of the checked parts, so that it cannot match.
bool HoldsEveryPart(LinePattern& pattern, const char* begin, const char* end);

// To be called when bytes already searched may have changed.
void ForgetSearchedBytes(LinePattern& pattern);

}  // namespace tarvik
