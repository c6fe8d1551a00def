// Fast search of a block of bytes for a short pattern of byte sets: the first byte position from
// which each following byte is in the set of its place.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <vector>

#include "vector_scan.hpp"

namespace tarvik {

using ByteSet = std::bitset<256>;

// How often a byte is expected in text files, higher for more common bytes; a set counts as the
// sum of its bytes. Chooses the bytes the search looks for first.
unsigned ByteCommonness(const ByteSet& set);

class BytePattern {
  public:
    // Places whose set holds at most this many bytes can be scanned for with memchr.
    static constexpr std::size_t kMaxAnchorBytes = 4;
    static constexpr std::size_t kMaxSize = 255;

    // At least one set holds at most kMaxAnchorBytes bytes.
    explicit BytePattern(std::vector<ByteSet> sets);

    std::size_t size() const { return sets_.size(); }

    // Start of the first occurrence that lies wholly in [begin, end), or nullptr. Learns which
    // bytes are common in the data, for the following calls, and remembers where the bytes it
    // scans for occur next, so that searching on to the same end never scans a byte twice.
    const char* Find(const char* begin, const char* end);
    // To be called when bytes already searched may have changed: forgets where they occur.
    void Forget() { nextEnd_ = nullptr; }

  private:
    bool MatchesAt(const char* p) const;
    // nullptr with `resume` set when the anchor's bytes proved common: search on from there.
    const char* FindByAnchor(const char* begin, const char* end, const char*& resume);
    // [from, end) is the data still to search.
    void GiveUpAnchor(const char* from, const char* end);
    const char* FindByFilter(const char* begin, const char* end) const;

    std::vector<ByteSet> sets_;
    // The bytes of each place that can be an anchor, in rising order (unused for the others).
    std::vector<std::vector<unsigned char>> anchorBytes_;
    // Places to scan for, the expected rarest first; anchors_[current_] is in use. Each is tried
    // in turn until one proves rare; if none does, the search filters on the two that proved
    // rarest (`filtering_`).
    std::vector<std::size_t> anchors_;
    std::vector<std::size_t> bytesPerHit_;  // as measured when an anchor was given up
    std::size_t current_ = 0;
    std::size_t hits_ = 0, scanned_ = 0;  // of the anchor in use
    // Of each byte of the anchor in use, the first position at or after nextFrom_[k] where it
    // occurs before nextEnd_ (nextEnd_ itself for none); valid while nextEnd_ is not nullptr.
    std::array<const char*, kMaxAnchorBytes> next_{}, nextFrom_{};
    const char* nextEnd_ = nullptr;
    std::size_t nextPlace_ = 0;
    bool filtering_ = false;
    PlaceBytes first_, second_;  // the places filtered on
};

}  // namespace tarvik
