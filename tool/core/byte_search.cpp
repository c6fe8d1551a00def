// The search looks for the rarest place of the pattern with memchr, which the C library
// vectorises, and checks the other places around each hit.
#include "byte_search.hpp"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <string_view>

namespace tarvik {
namespace {

// Printable ASCII from the most to the least common in logs and prose; bytes not listed (other
// control bytes and bytes of 0x80 and above) count as rarer than all of them.
constexpr std::string_view kCommonFirst =
    " etaoinsrhldcum0123456789fpgwybv.-:,=/_kTESAINORLDCUMPFGHBWYV\"'()[]\t+;#*<>jxqzKJXQZ?!&%@$|\\{}~^`";

constexpr std::array<unsigned char, 256> MakeCommonness() {
    std::array<unsigned char, 256> table{};
    for (std::size_t b = 0x80; b < 256; ++b) table[b] = 2;
    for (std::size_t i = 0; i < kCommonFirst.size(); ++i) {
        table[static_cast<unsigned char>(kCommonFirst[i])] = static_cast<unsigned char>(3 + kCommonFirst.size() - i);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kCommonness = MakeCommonness();

}  // namespace

unsigned ByteCommonness(const ByteSet& set) {
    unsigned sum = 0;
    for (std::size_t b = 0; b < 256; ++b) {
        if (set[b]) sum += 1u + kCommonness[b];
    }
    return sum;
}

BytePattern::BytePattern(std::vector<ByteSet> sets, std::size_t anchor) : sets_(std::move(sets)), anchor_(anchor) {
    assert(anchor_ < sets_.size());
    for (std::size_t b = 0; b < 256; ++b) {
        if (sets_[anchor_][b]) anchorBytes_.push_back(static_cast<unsigned char>(b));
    }
    assert(!anchorBytes_.empty() && anchorBytes_.size() <= kMaxAnchorBytes);
}

bool BytePattern::MatchesAt(const char* p) const {
    for (std::size_t j = 0; j < sets_.size(); ++j) {
        if (!sets_[j][static_cast<unsigned char>(p[j])]) return false;
    }
    return true;
}

const char* BytePattern::Find(const char* begin, const char* end) const {
    const std::size_t width = sets_.size();
    if (static_cast<std::size_t>(end - begin) < width) return nullptr;
    // Anchor bytes can only start occurrences in [first, last).
    const char* const first = begin + anchor_;
    const char* const last = end - (width - 1 - anchor_);
    const auto scan = [last](const char* from, unsigned char byte) {
        const void* hit = std::memchr(from, byte, static_cast<std::size_t>(last - from));
        return hit != nullptr ? static_cast<const char*>(hit) : last;
    };
    // The next occurrence of each anchor byte; the earliest of them is the next candidate.
    std::array<const char*, kMaxAnchorBytes> next{};
    const std::size_t count = anchorBytes_.size();
    for (std::size_t k = 0; k < count; ++k) next[k] = scan(first, anchorBytes_[k]);
    for (;;) {
        const char* hit = *std::min_element(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(count));
        if (hit == last) return nullptr;
        if (MatchesAt(hit - anchor_)) return hit - anchor_;
        for (std::size_t k = 0; k < count; ++k) {
            if (next[k] == hit) next[k] = scan(hit + 1, anchorBytes_[k]);
        }
    }
}

}  // namespace tarvik
