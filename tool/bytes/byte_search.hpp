// Fast search of a block of bytes for a short pattern of byte sets: the first byte position from
// which each following byte is in the set of its place.
#pragma once

#include <bitset>
#include <cstddef>
#include <vector>

#include "vector_scan.hpp"

namespace tarvik {

using ByteSet = std::bitset<256>;

// How often a byte is expected in text files, higher for more common bytes; a set counts as the
// sum of its bytes. Chooses the bytes the search looks for first.
unsigned ByteCommonness(const ByteSet& set);

// The test of the place at `offset` that takes every byte of `set` and as few others as a test can.
PlaceTest TestOf(const ByteSet& set, std::size_t offset);

// Whether the search can scan for a place of this set: its test takes at most four bytes.
bool CanScanFor(const ByteSet& set);

class BytePattern {
  public:
    static constexpr std::size_t kMaxSize = 255;

    // CanScanFor holds for at least one set.
    explicit BytePattern(std::vector<ByteSet> sets);

    std::size_t size() const { return sets_.size(); }

    // Start of the first occurrence that lies wholly in [begin, end), or nullptr. Learns from the
    // data which places to scan for, for the following calls.
    const char* Find(const char* begin, const char* end);

  private:
    bool MatchesAt(const char* p) const;
    // Chooses the places to scan for from how often they pass their tests in the data ahead,
    // [from, end), alone and together.
    void Plan(const char* from, const char* end);
    // The places that take fewest bytes expected in text, one to a test, for want of data.
    void PlanWithoutData();
    // For each place, the positions in [from, last) where it passes with every place of `with`.
    std::vector<std::size_t> HitsWith(const PlaceFilter& with, const char* from,
                                      const char* last) const;

    std::vector<ByteSet> sets_;
    std::vector<PlaceTest> tests_;  // of each place
    // The places whose tests take few bytes, those expected rarest in text first.
    std::vector<std::size_t> scannable_;
    PlaceFilter filter_;  // what the search scans for
    // Positions that passed the filter but did not match, and bytes scanned, since the last plan.
    std::size_t misses_ = 0, scanned_ = 0;
    std::size_t plans_ = 0;
};

}  // namespace tarvik
