// The search scans for the place of the pattern expected rarest in text, with a vectorised scan,
// and checks the whole pattern where that place passes its test. A check costs as much as
// scanning thousands of bytes, so once checks that fail prove frequent the search plans anew from
// the data ahead: it counts how often each place passes there, alone and together with the places
// already chosen, and scans for the one, two or three places for which scanning and checking
// together cost least.
#include "byte_search.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <limits>
#include <string_view>

namespace tarvik {
namespace {

// Printable ASCII from the most to the least common in logs and prose; bytes not listed (other
// control bytes and bytes of 0x80 and above) count as rarer than all of them, NUL aside.
constexpr std::string_view kCommonFirst =
    " etaoinsrhldcum0123456789fpgwybv.-:,=/"
    "_kTESAINORLDCUMPFGHBWYV\"'()[]\t+;#*<>jxqzKJXQZ?!&%@$|\\{}~^`";

constexpr std::array<unsigned char, 256> MakeCommonness() {
    std::array<unsigned char, 256> table{};
    for (std::size_t b = 0x80; b < 256; ++b) table[b] = 2;
    // A compare string never holds NUL, so a pattern holds it only as a byte of UTF-16 text, which
    // has it in every other byte.
    table[0] = static_cast<unsigned char>(4 + kCommonFirst.size());
    for (std::size_t i = 0; i < kCommonFirst.size(); ++i) {
        table[static_cast<unsigned char>(kCommonFirst[i])] =
            static_cast<unsigned char>(3 + kCommonFirst.size() - i);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kCommonness = MakeCommonness();

// The costs a plan weighs, in units of scanning a byte for one place: a scan for two places costs
// about twice as much, and checking a position that passed the scan (a mispredicted branch, a call
// and the pattern's check) as much as scanning some eight thousand bytes.
constexpr std::size_t kCheckCost = 8192;
// The search plans anew when this many checks have failed since the last plan (twice as many after
// each plan) and they cost more than the scan.
constexpr std::size_t kMissesBeforePlanning = 16;
constexpr std::size_t kMaxPlans = 16;

// Bytes ahead in which the places are chosen, and the fewest that tell anything.
constexpr std::size_t kSampleBytes = 64 * 1024;
constexpr std::size_t kMinSampleBytes = 4 * 1024;

// The bytes a test takes.
ByteSet Taken(const PlaceTest& test) {
    ByteSet taken;
    for (std::size_t b = 0; b < 256; ++b) taken[b] = test.Passes(static_cast<unsigned char>(b));
    return taken;
}

bool Holds(const PlaceFilter& filter, std::size_t offset) {
    return std::any_of(filter.places.begin(), filter.places.begin() + filter.count,
                       [offset](const PlaceTest& test) { return test.offset == offset; });
}

}  // namespace

unsigned ByteCommonness(const ByteSet& set) {
    unsigned sum = 0;
    for (std::size_t b = 0; b < 256; ++b) {
        if (set[b]) sum += 1u + kCommonness[b];
    }
    return sum;
}

PlaceTest TestOf(const ByteSet& set, std::size_t offset) {
    PlaceTest test{offset, 0, 0};
    bool first = true;
    for (std::size_t b = 0; b < 256; ++b) {
        if (!set[b]) continue;
        if (first) test.value = static_cast<unsigned char>(b), first = false;
        test.mask |= static_cast<unsigned char>(b ^ test.value);
    }
    test.value |= test.mask;
    return test;
}

bool CanScanFor(const ByteSet& set) {
    return set.any() && std::popcount(TestOf(set, 0).mask) <= 2;
}

BytePattern::BytePattern(std::vector<ByteSet> sets) : sets_(std::move(sets)) {
    assert(!sets_.empty() && sets_.size() <= kMaxSize);
    std::vector<unsigned> commonness(sets_.size());
    for (std::size_t j = 0; j < sets_.size(); ++j) {
        tests_.push_back(TestOf(sets_[j], j));
        if (!CanScanFor(sets_[j])) continue;
        scannable_.push_back(j);
        commonness[j] = ByteCommonness(Taken(tests_[j]));
    }
    assert(!scannable_.empty());
    std::stable_sort(
        scannable_.begin(), scannable_.end(),
        [&commonness](std::size_t a, std::size_t b) { return commonness[a] < commonness[b]; });
    filter_.places[0] = tests_[scannable_.front()];
    filter_.count = 1;
}

bool BytePattern::MatchesAt(const char* p) const {
    for (std::size_t j = 0; j < sets_.size(); ++j) {
        if (!sets_[j][static_cast<unsigned char>(p[j])]) return false;
    }
    return true;
}

const char* BytePattern::Find(const char* begin, const char* end) {
    const std::size_t width = sets_.size();
    if (static_cast<std::size_t>(end - begin) < width) return nullptr;
    const char* const last = end - (width - 1);
    for (const char* p = begin;; ++p) {
        p = FindPlaces(p, last, filter_);
        scanned_ += static_cast<std::size_t>(p - begin);
        begin = p;
        if (p == last) return nullptr;
        if (MatchesAt(p)) return p;
        ++misses_;
        if (plans_ < kMaxPlans && misses_ >= kMissesBeforePlanning << plans_ &&
            misses_ * kCheckCost > scanned_ * filter_.count) {
            Plan(p + 1, end);
        }
    }
}

void BytePattern::Plan(const char* from, const char* end) {
    misses_ = scanned_ = 0;
    ++plans_;
    const std::size_t width = sets_.size();
    const std::size_t sample = std::min(static_cast<std::size_t>(end - from), kSampleBytes);
    if (sample < kMinSampleBytes + width) return PlanWithoutData();
    const char* const last = from + (sample - width + 1);
    PlaceFilter with, best;
    std::size_t bestCost = std::numeric_limits<std::size_t>::max();
    while (with.count < PlaceFilter::kMaxPlaces) {
        const std::vector<std::size_t> hits = HitsWith(with, from, last);
        std::size_t next = width;
        for (const std::size_t j : scannable_) {
            if (!Holds(with, j) && (next == width || hits[j] < hits[next])) next = j;
        }
        if (next == width) break;
        with.places[with.count++] = tests_[next];
        const std::size_t cost = sample * with.count + hits[next] * kCheckCost;
        if (cost < bestCost) best = with, bestCost = cost;
        if (hits[next] == 0) break;
    }
    filter_ = best;
}

void BytePattern::PlanWithoutData() {
    const PlaceTest& first = tests_[scannable_.front()];
    filter_.places[0] = first;
    filter_.count = 1;
    for (const std::size_t j : scannable_) {
        if (tests_[j].mask != first.mask || tests_[j].value != first.value) {
            filter_.places[filter_.count++] = tests_[j];
            break;
        }
    }
}

std::vector<std::size_t> BytePattern::HitsWith(const PlaceFilter& with, const char* from,
                                               const char* last) const {
    std::vector<std::size_t> hits(sets_.size());
    if (with.count == 0) {
        // Each place alone, from the counts of the bytes: shifting a place by its offset hardly
        // changes them.
        std::array<std::size_t, 256> counts{};
        for (const char* p = from; p != last; ++p) ++counts[static_cast<unsigned char>(*p)];
        for (const std::size_t j : scannable_) {
            for (std::size_t b = 0; b < 256; ++b)
                hits[j] += tests_[j].Passes(static_cast<unsigned char>(b)) ? counts[b] : 0;
        }
        return hits;
    }
    for (const char* p = from; (p = FindPlaces(p, last, with)) != last; ++p) {
        for (const std::size_t j : scannable_)
            hits[j] += tests_[j].Passes(static_cast<unsigned char>(p[tests_[j].offset]));
    }
    return hits;
}

}  // namespace tarvik
