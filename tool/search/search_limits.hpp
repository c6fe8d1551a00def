// How much the file search reads at a time and keeps of a line.
#pragma once

#include <cstddef>

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

// A presence test needs only to know that a match starts within the first 32767 characters, as
// its position overflows past them: it keeps that much, and the search fails a line whose first
// match lies beyond, as the run would.
constexpr std::size_t kPresenceKeptChars = 32766;

struct SearchLimits {
    std::size_t blockSize = kSearchBlockSize;
    std::size_t keptChars = kKeptLineChars;
    // Whether the run needs only to know that the kept part of the line holds a match, not its
    // characters: reading a long line may then stop sooner.
    bool presence = false;

    static SearchLimits PresenceTest() {
        return {.keptChars = kPresenceKeptChars, .presence = true};
    }
};

}  // namespace tarvik
