// Fast search of a block of bytes for a short pattern of byte sets: the first byte position from
// which each following byte is in the set of its place.
#pragma once

#include <bitset>
#include <cstddef>
#include <vector>

namespace tarvik {

using ByteSet = std::bitset<256>;

// How often a byte is expected in text files, higher for more common bytes; a set counts as the
// sum of its bytes. Chooses the byte the search looks for first.
unsigned ByteCommonness(const ByteSet& set);

class BytePattern {
public:
    // The anchor is the place the search scans for with memchr; its set holds at most
    // kMaxAnchorBytes bytes.
    static constexpr std::size_t kMaxAnchorBytes = 4;

    BytePattern(std::vector<ByteSet> sets, std::size_t anchor);

    std::size_t size() const { return sets_.size(); }

    // Start of the first occurrence that lies wholly in [begin, end), or nullptr.
    const char* Find(const char* begin, const char* end) const;

private:
    bool MatchesAt(const char* p) const;

    std::vector<ByteSet> sets_;
    std::size_t anchor_;
    std::vector<unsigned char> anchorBytes_;
};

}  // namespace tarvik
