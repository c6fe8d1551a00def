// Where the block search stands in its read buffer.
#pragma once

#include <algorithm>
#include <cstddef>

namespace tarvik {

// Offsets into the buffer, which never starts after the line being searched: a match or line that
// straddles two reads is whole once the next read is appended.
struct BlockCursor {
    // The start of the line that holds `scan`; a multiple of a unit from the file's start.
    std::size_t lineStart = 0;
    // Occurrences of the pattern starting before it have been ruled out. lineStart <= scan.
    std::size_t scan = 0;
    // [lineStart, noLineEnd) holds no line end, so finding a hit's line starts there.
    std::size_t noLineEnd = 0;
    // The units before it are known to be valid (UTF-16 is checked ahead of its decoding).
    std::size_t valid = 0;
    // In a long line, matches starting before it have been searched for. lineStart <= ruledOut.
    std::size_t ruledOut = 0;
    // In a long line, the bytes before it have been handed to the line. ruledOut <= taken.
    std::size_t taken = 0;

    // The search goes on from the line starting at `at`, past what it has searched.
    void StartLine(std::size_t at) {
        lineStart = scan = noLineEnd = at;
        valid = std::max(valid, at);
    }

    // Positions after the buffer dropped its first `dropped` bytes.
    void Drop(std::size_t dropped) {
        for (std::size_t* position : {&lineStart, &scan, &noLineEnd, &valid, &ruledOut, &taken})
            *position = std::max(*position, dropped) - dropped;
    }
};

}  // namespace tarvik
